// Jet date/time values: reading them from text and numbers, and writing them as the ISO text an auction database
// stores ("YYYY-MM-DD HH:MM:SS").
//
// A Jet date is a day between 1 January 100 and 31 December 9999 plus a time of day to the second. Its serial
// number (what CDbl gives) counts days from 30 December 1899; a time without a date lies on that day. Text is
// read as a US system reads it: "2006-08-24", "8/24/2006", "8/24/06", "24-Aug-2006", "August 24, 2006", each with
// or without a time ("15:30", "3:30:15 PM"), or a time alone.
//
// Pure functions and a value type; safe from any thread.
#pragma once

#include <QDate>

#include <optional>
#include <string>
#include <string_view>

namespace db {

struct JetDateTime {
    QDate date;
    int seconds = 0;  // since midnight, 0 .. 86399

    // The day a time without a date lies on: 30 December 1899, serial number 0.
    static QDate zeroDay() { return {1899, 12, 30}; }
    bool operator==(const JetDateTime &) const = default;
};

bool inJetRange(const QDate &date);

// A date in the stored form only ("YYYY-MM-DD", optionally with " HH:MM" or " HH:MM:SS"); fast.
std::optional<JetDateTime> parseIsoDate(std::string_view text);

// A date read from text; empty when the text is no date Jet would accept.
std::optional<JetDateTime> parseJetDate(std::string_view text);

// The date of a serial number; db::Error 6 (Overflow) outside the Jet range. Times round to the second.
JetDateTime dateFromSerial(double serial);
double serialFromDate(const JetDateTime &value);

// "YYYY-MM-DD HH:MM:SS".
std::string isoText(const JetDateTime &value);

// A year of one or two digits read the way VB reads it: 0-29 are 2000-2029, 30-99 are 1930-1999.
int windowedYear(int year, int digits);

}  // namespace db
