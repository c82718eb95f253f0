#pragma once

#include <QString>

// What a file fetched from the server must be before it takes the place of
// a local copy or is used. A proxy or a captive portal may answer 200 with
// an HTML page, a compressed body or a copy cut short: none of these may be
// taken for the file.
//
// The check depends on the kind of file, told by its local name:
// - the parameter files the console writes itself (poster list, owner
//   record, playlist, login file, media index, journals, command file, and
//   the templates of the same names): the fingerprint must match;
// - the files the box or the manufacturer writes (BOX.orvex and the factory
//   report stored under that name, STATUS.orvex, STAT.orvex), the account
//   connection file and the validation file copied from it: the pages read
//   them without the fingerprint check, so they only have to decode to
//   whole key lines;
// - anything else (the box's plain event log, pictures, pages, media,
//   which carry their own checksum): no check here.
class FetchedFileCheck
{
public:
    enum class Kind { None, KeyLines, Fingerprint };

    static Kind kindOf(const QString &localName);
    // Empty when the file at `path` passes the check of its kind (told by
    // `localName`, the file name of `path` when empty); otherwise why not,
    // naming the file.
    static QString problem(const QString &path, const QString &localName = QString());

    // Whether `plain` (a deciphered parameter file) is a run of whole key
    // lines, the fingerprint line last when there is one.
    static bool wholeKeyLines(const QString &plain);
};
