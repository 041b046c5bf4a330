#include "db/JetLexer.h"

#include "db/Error.h"

namespace db::jet {

bool Token::isWord(const char *upperWord) const {
    return kind == TokenKind::Word && text.compare(QLatin1String(upperWord), Qt::CaseInsensitive) == 0;
}

bool Token::isSymbol(const char *symbol) const { return kind == TokenKind::Symbol && text == QLatin1String(symbol); }

namespace {

bool isWordStart(QChar c) { return c.isLetter() || c == u'_'; }
bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$'; }

class Lexer {
public:
    explicit Lexer(const QString &sql) : sql_(sql) {}

    std::vector<Token> run() {
        std::vector<Token> tokens;
        while (true) {
            skipBlanks();
            if (pos_ >= sql_.size())
                break;
            tokens.push_back(next());
        }
        tokens.push_back(Token{TokenKind::End, {}, int(sql_.size())});
        return tokens;
    }

private:
    const QString &sql_;
    qsizetype pos_ = 0;

    QChar at(qsizetype i) const { return i < sql_.size() ? sql_[i] : QChar(); }

    void skipBlanks() {
        while (pos_ < sql_.size() && sql_[pos_].isSpace())
            ++pos_;
    }

    [[noreturn]] void fail() const { throw Error::syntaxInExpression(sql_); }

    Token next() {
        const QChar c = sql_[pos_];
        const int start = int(pos_);
        if (c == u'[')
            return delimited(start, u']', TokenKind::Bracketed);
        if (c == u'\'' || c == u'"')
            return quoted(start, c);
        if (c == u'#')
            return delimited(start, u'#', TokenKind::Date);
        if (c.isDigit() || (c == u'.' && at(pos_ + 1).isDigit()))
            return number(start);
        if (c == u'&' && (at(pos_ + 1) == u'H' || at(pos_ + 1) == u'h') && isHexDigit(at(pos_ + 2)))
            return hexNumber(start);
        if (isWordStart(c)) {
            while (pos_ < sql_.size() && isWordChar(sql_[pos_]))
                ++pos_;
            return {TokenKind::Word, sql_.mid(start, pos_ - start), start};
        }
        return symbol(start);
    }

    static bool isHexDigit(QChar c) {
        return c.isDigit() || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    }

    Token delimited(int start, QChar close, TokenKind kind) {
        const qsizetype end = sql_.indexOf(close, pos_ + 1);
        if (end < 0)
            fail();
        pos_ = end + 1;
        return {kind, sql_.mid(start + 1, end - start - 1), start};
    }

    // A doubled quote inside the literal stands for one quote character.
    Token quoted(int start, QChar quote) {
        QString value;
        ++pos_;
        while (true) {
            if (pos_ >= sql_.size())
                fail();
            if (sql_[pos_] == quote) {
                if (at(pos_ + 1) == quote) {
                    value += quote;
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            value += sql_[pos_++];
        }
        return {TokenKind::String, value, start};
    }

    Token number(int start) {
        while (at(pos_).isDigit())
            ++pos_;
        if (at(pos_) == u'.') {
            ++pos_;
            while (at(pos_).isDigit())
                ++pos_;
        }
        if ((at(pos_) == u'E' || at(pos_) == u'e') &&
            (at(pos_ + 1).isDigit() || ((at(pos_ + 1) == u'+' || at(pos_ + 1) == u'-') && at(pos_ + 2).isDigit()))) {
            pos_ += 2;
            while (at(pos_).isDigit())
                ++pos_;
        }
        return {TokenKind::Number, sql_.mid(start, pos_ - start), start};
    }

    Token hexNumber(int start) {
        pos_ += 2;
        while (isHexDigit(at(pos_)))
            ++pos_;
        if (at(pos_) == u'&')  // &H1F& marks a Long
            ++pos_;
        return {TokenKind::Number, sql_.mid(start, pos_ - start), start};
    }

    Token symbol(int start) {
        static const char *const twoChar[] = {"<>", "<=", ">=", "!="};
        for (const char *s : twoChar) {
            if (sql_.mid(pos_, 2) == QLatin1String(s)) {
                pos_ += 2;
                return {TokenKind::Symbol, QString::fromLatin1(s), start};
            }
        }
        static const QString single = QStringLiteral("(),.;=<>+-*/\\&^!?");
        if (!single.contains(sql_[pos_]))
            fail();
        return {TokenKind::Symbol, QString(sql_[pos_++]), start};
    }
};

}  // namespace

std::vector<Token> tokenize(const QString &sql) { return Lexer(sql).run(); }

}  // namespace db::jet
