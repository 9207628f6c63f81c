#pragma once
// The numbered table of user-interface texts. Every text the program shows is looked up
// here by number; the texts themselves live in resources/strings/strings_it.txt, which the
// build compiles into the program.

#include <QString>
#include <QStringList>

#include <span>
#include <string_view>

namespace parvo {

// The text with the given number, or an empty string when the table has no such number.
QString Str(int id);

// The text with its placeholders ("%s", "%d") filled in order by `args`.
QString Fill(QString text, const QStringList& args);

namespace string_table {

struct Entry
{
    int id;
    std::string_view text; // UTF-8
};

// Every entry of the table, sorted by number, each number once. Defined in the source
// generated from the table file.
std::span<const Entry> Entries();

} // namespace string_table

} // namespace parvo
