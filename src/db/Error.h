// The one error type of the program: a VB-style number and a description.
//
// Every failure of the engine, the Jet reader, the zip reader and the file system is raised as a db::Error
// (thrown as an exception) so that callers can trap it the way the procedures of the program expect: test the
// number, show "Error:" + number + " " + description, and carry on. No raw SQLite, libmdb or libzip code or text
// reaches a caller. Numbers follow the original engine and runtime (3010, 3061, 53, 76, ...).
#pragma once

#include <QString>

#include <exception>
#include <string>

namespace db {

// Error numbers the program tests by value or shows. Descriptions read like the original engine's.
namespace err {
inline constexpr int TypeMismatchRuntime = 13;   // VB: Type mismatch
inline constexpr int Overflow = 6;               // VB: Overflow
inline constexpr int FileNotFound = 53;          // VB: File not found
inline constexpr int FileAccess = 75;            // VB: Path/File access error
inline constexpr int PathNotFound = 76;          // VB: Path not found
inline constexpr int NoObject = 91;              // VB: Object variable not set (no active child)
inline constexpr int InvalidFileFormat = 321;    // VB: Invalid file format (damaged or foreign archive)
inline constexpr int NoMethod = 438;             // VB: Object doesn't support this property or method
inline constexpr int DialogCancelled = 32755;    // common dialog: Cancel was selected
inline constexpr int Reserved = 3000;            // engine: any failure without a closer number
inline constexpr int TableExists = 3010;
inline constexpr int NoCurrentRecord = 3021;
inline constexpr int DiskFull = 3026;             // engine: not enough space on disk
inline constexpr int DuplicateKey = 3022;
inline constexpr int DiskError = 3043;           // engine: disk or network error
inline constexpr int CouldNotLock = 3050;        // engine: another program holds the database
inline constexpr int NotAValidPath = 3044;
inline constexpr int CannotOpenFile = 3051;
inline constexpr int NullKey = 3058;
inline constexpr int TooFewParameters = 3061;
inline constexpr int SyntaxInExpression = 3075;
inline constexpr int InputTableNotFound = 3078;
inline constexpr int UndefinedFunction = 3085;
inline constexpr int SyntaxInInsert = 3134;
inline constexpr int CharactersAfterEnd = 3142;
inline constexpr int FieldTooSmall = 3163;
inline constexpr int TableInUse = 3211;
inline constexpr int ItemNotFound = 3265;
inline constexpr int NoSuchTableToDrop = 3376;
inline constexpr int UnrecognizedFormat = 3343;
inline constexpr int TypeMismatch = 3464;
}  // namespace err

class Error : public std::exception {
public:
    Error(int number, QString description);

    int number() const { return number_; }
    const QString &description() const { return description_; }
    // "Error:" + number + " " + description, the form most procedures show.
    QString text() const;
    const char *what() const noexcept override { return what_.c_str(); }

    // Errors with the engine's own descriptions.
    static Error tableExists(const QString &table);
    static Error noCurrentRecord();
    static Error tooFewParameters(int expected = 1);
    static Error inputTableNotFound(const QString &table);
    static Error noSuchTableToDrop(const QString &table);
    static Error tableInUse(const QString &table);
    static Error unrecognizedFormat(const QString &path);
    static Error fileNotFound(const QString &path);
    static Error pathNotFound(const QString &path);
    static Error itemNotFound();
    static Error fieldTooSmall();
    static Error syntaxInExpression(const QString &expression);

private:
    int number_;
    QString description_;
    std::string what_;
};

}  // namespace db
