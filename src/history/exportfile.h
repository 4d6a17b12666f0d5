#pragma once

#include <QString>

namespace history {

// Whether the export starts with UTF-8's byte-order mark, by which a
// spreadsheet on any desktop knows the text is UTF-8 (and shows Arabic
// names as Arabic).
enum class ByteOrderMark { Without, With };

// Writes every answer of the history at `historyPath` as CSV to `target`,
// reading the history only. A regular file (or a new one) is replaced in
// one step, so a failure leaves the old one whole; anything else that
// exists (a FIFO, a terminal, /dev/stdout) is written into, never replaced.
// The error, empty on success.
QString exportToFile(const QString &historyPath, const QString &target, ByteOrderMark mark);

} // namespace history
