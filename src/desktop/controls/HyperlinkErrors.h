#pragma once
// What the hyperlink reports when its address could not be opened: the result code of the
// attempt (above 32 means it opened) and the text for each failure code.

#include <QString>

namespace quelmarine {

// Results above this opened the address.
inline constexpr int kHyperlinkOpened = 32;
// The result when no program could be found to open the address.
inline constexpr int kHyperlinkNoAssociation = 31;

// The message for a failure code ("Unknown Error (<code>) occurred." for codes not in the table).
QString hyperlinkErrorMessage(int code);

// The whole text of the report: "Unable to open hyperlink:", a blank line, the message.
QString hyperlinkErrorReport(int code);

} // namespace quelmarine
