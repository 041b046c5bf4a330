// The failure of a conversion in the converter process: a number and a description, as the program's db::Error
// carries them. Plain C++ (no Qt), so that the process starts fast; the numbers are those of db::err, and
// JetConverter.cpp checks at compile time that they agree.
#pragma once

#include <stdexcept>
#include <string>

namespace jet {

namespace code {
inline constexpr int Reserved = 3000;             // any failure without a closer number
inline constexpr int FileNotFound = 53;
inline constexpr int FileAccess = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int DiskError = 3043;
inline constexpr int UnrecognizedFormat = 3343;
}  // namespace code

// A numbered failure with the description the user sees.
class ConvertError : public std::runtime_error {
public:
    ConvertError(int number, const std::string &description) : std::runtime_error(description), number_(number) {}
    int number() const { return number_; }

private:
    int number_;
};

// The Jet file is damaged or not a Jet file at all. The reason is for developers (it names what failed); the
// process reports it as "Unrecognized database format" for the input path.
class DamagedFile : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace jet
