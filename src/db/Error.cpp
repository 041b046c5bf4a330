#include "db/Error.h"

namespace db {

Error::Error(int number, QString description)
    : number_(number), description_(std::move(description)),
      what_(QString::number(number_).append(' ').append(description_).toStdString()) {}

QString Error::text() const { return QStringLiteral("Error:%1 %2").arg(number_).arg(description_); }

Error Error::tableExists(const QString &table) {
    return {err::TableExists, QStringLiteral("Table '%1' already exists.").arg(table)};
}

Error Error::noCurrentRecord() { return {err::NoCurrentRecord, QStringLiteral("No current record.")}; }

Error Error::tooFewParameters(int expected) {
    return {err::TooFewParameters, QStringLiteral("Too few parameters. Expected %1.").arg(expected)};
}

Error Error::inputTableNotFound(const QString &table) {
    return {err::InputTableNotFound,
            QStringLiteral("The Microsoft Jet database engine cannot find the input table or query '%1'. "
                           "Make sure it exists and that its name is spelled correctly.")
                .arg(table)};
}

Error Error::noSuchTableToDrop(const QString &table) {
    return {err::NoSuchTableToDrop, QStringLiteral("Table '%1' does not exist.").arg(table)};
}

Error Error::tableInUse(const QString &table) {
    return {err::TableInUse, QStringLiteral("The database engine could not lock table '%1' because it is "
                                            "already in use by another person or process.")
                                 .arg(table)};
}

Error Error::unrecognizedFormat(const QString &path) {
    return {err::UnrecognizedFormat, QStringLiteral("Unrecognized database format '%1'.").arg(path)};
}

Error Error::fileNotFound(const QString &path) {
    return {err::FileNotFound, QStringLiteral("File not found: '%1'").arg(path)};
}

Error Error::pathNotFound(const QString &path) {
    return {err::PathNotFound, QStringLiteral("Path not found: '%1'").arg(path)};
}

Error Error::itemNotFound() {
    return {err::ItemNotFound, QStringLiteral("Item not found in this collection.")};
}

Error Error::fieldTooSmall() {
    return {err::FieldTooSmall, QStringLiteral("The field is too small to accept the amount of data you "
                                               "attempted to add.  Try inserting or pasting less data.")};
}

Error Error::syntaxInExpression(const QString &expression) {
    return {err::SyntaxInExpression,
            QStringLiteral("Syntax error (missing operator) in query expression '%1'.").arg(expression)};
}

}  // namespace db
