// The error alert: maps a failed message's result code to a message of the
// error table (the string list kErrorStringsId) and shows both in the error
// dialog (kErrorDialogId).
#pragma once

#include "plugin/host/suites.h"

// What the error dialog shows, handed to it as its user data.
struct AlertText {
  char messageText[256];
  char codeText[16];
};

// Shows nothing for 0 and for the user's cancel ("STOP"), nor when the
// suites the alert needs are not held; never reports a failure of its own.
void showErrorAlert(const SPMessageData* message, ASErr code);

// Formats a code for display: a signed decimal number when its upper 16 bits
// are all zeros or all ones, otherwise its four characters. Needs the AI User
// suite for the number.
void formatErrorCode(ASErr code, char* text, size_t textSize);

// A notify procedure that only does the host's standard handling, through
// which a dialog's OK button ends it.
ASErr notifyDefaultOnly(ADMItemRef item, ADMNotifierRef notifier);
