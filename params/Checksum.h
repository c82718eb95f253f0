#pragma once

#include <QString>

// MD5 of a whole file as 32 upper-case hexadecimal digits; empty when the
// file cannot be opened.
QString CalculChecksum(QString path);
