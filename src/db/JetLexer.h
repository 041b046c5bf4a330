// Splits Jet SQL text into tokens: names (bare or in brackets), string literals in single or double quotes,
// #date# literals, numbers, operators and punctuation. Blanks and line breaks only separate tokens.
//
// Pure function of its input; safe from any thread. Malformed text (an unclosed bracket, quote or date) raises
// db::Error 3075 naming the statement.
#pragma once

#include <QString>

#include <vector>

namespace db::jet {

enum class TokenKind {
    Word,        // a bare name or keyword: SELECT, Round, a
    Bracketed,   // [All Bids]: text holds the name without brackets
    String,      // 'text' or "text": text holds the value, quotes undone
    Date,        // #8/24/2006#: text holds what stands between the #
    Number,      // 12, 1.5, .5, 1E+10, &H1F (text as written)
    Symbol,      // ( ) , . ; = <> < > <= >= + - * / \ & ^ ! ?
    End,
};

struct Token {
    TokenKind kind = TokenKind::End;
    QString text;
    int offset = 0;  // position in the statement, for messages

    bool isWord(const char *upperWord) const;    // a bare word, compared without regard to case
    bool isSymbol(const char *symbol) const;
};

std::vector<Token> tokenize(const QString &sql);

}  // namespace db::jet
