#include "plugin/shell/error_alert.h"

#include <cstdio>
#include <cstring>

#include "plugin/resources/resource_ids.h"
#include "plugin/shell/length_prefixed_string.h"
#include "plugin/suites/held_suites.h"

namespace {

enum : ASInt32 { kOkItem = 1, kMessageItem = 2, kCodeItem = 3 };

// A table longer than this is not a table the module carries; the walk stops
// rather than trust the host to end the list.
constexpr ASInt32 kMaxErrorTableIndex = 1000;

bool isNumericKey(const char* key) { return key[0] == '-' || (key[0] >= '0' && key[0] <= '9'); }

// The code a numeric key stands for: the key read as a real, truncated toward
// zero and taken as a 16-bit signed number. False when it is no number.
bool numericKeyCode(const char* key, ASErr* code) {
  char buffer[256];
  std::strncpy(buffer, key, sizeof buffer - 1);
  buffer[sizeof buffer - 1] = '\0';
  if (!toLengthPrefixed(buffer)) return false;
  AIReal value = 0;
  if (sAIUser->PStringToReal(reinterpret_cast<const unsigned char*>(buffer), &value) != kNoErr)
    return false;
  // Only a value within the 32-bit range truncates to a defined integer.
  if (!(value > -2147483648.0f && value < 2147483648.0f)) return false;
  *code = static_cast<ASInt16>(static_cast<ASInt32>(value));
  return true;
}

// A four-character key: its first four characters, the first in the most
// significant byte; a shorter key is padded with zero bytes.
ASErr fourCharKeyCode(const char* key) {
  uint32_t bits = 0;
  bool ended = false;
  for (int i = 0; i < 4; ++i) {
    if (key[i] == '\0') ended = true;
    bits = (bits << 8) | (ended ? 0u : static_cast<uint8_t>(key[i]));
  }
  return static_cast<ASErr>(bits);
}

bool keyMatches(const char* key, ASErr code) {
  if (isNumericKey(key)) {
    ASErr keyCode = 0;
    return numericKeyCode(key, &keyCode) && keyCode == code;
  }
  return fourCharKeyCode(key) == code;
}

// The index of the code's message in the error table: the message after the
// matching key, or the last message of the table when no key matches.
ASInt32 messageIndexFor(SPPluginRef plugin, ASErr code) {
  ASInt32 index = 1;
  char key[256] = {};
  sADMBasic->GetIndexString(plugin, kErrorStringsId, index, key, 255);
  while (key[0] != '\0' && index < kMaxErrorTableIndex) {
    if (keyMatches(key, code)) return index + 1;
    index += 2;
    key[0] = '\0';
    sADMBasic->GetIndexString(plugin, kErrorStringsId, index, key, 255);
  }
  return index - 1;
}

ASErr initErrorDialog(ADMDialogRef dialog) {
  if (ADMItemRef ok = sADMDialog->GetItem(dialog, kOkItem))
    sADMItem->SetNotifyProc(ok, notifyDefaultOnly);
  const AlertText* text = static_cast<const AlertText*>(sADMDialog->GetUserData(dialog));
  if (text == nullptr) return kNoErr;
  if (ADMItemRef message = sADMDialog->GetItem(dialog, kMessageItem))
    sADMItem->SetText(message, text->messageText);
  if (ADMItemRef code = sADMDialog->GetItem(dialog, kCodeItem))
    sADMItem->SetText(code, text->codeText);
  return kNoErr;
}

}  // namespace

ASErr notifyDefaultOnly(ADMItemRef item, ADMNotifierRef notifier) {
  sADMItem->DefaultNotify(item, notifier);
  return kNoErr;
}

void formatErrorCode(ASErr code, char* text, size_t textSize) {
  if (textSize == 0) return;
  char buffer[256] = {};
  const uint32_t upper = static_cast<uint32_t>(code) >> 16;
  if (upper == 0 || upper == 0xFFFF) {
    sAIUser->RealToPString(static_cast<AIReal>(code), 0, reinterpret_cast<unsigned char*>(buffer));
    toZeroTerminated(buffer);
  } else {
    codeToLengthPrefixed(code, buffer);
    toZeroTerminated(buffer);
  }
  std::snprintf(text, textSize, "%s", buffer);
}

void showErrorAlert(const SPMessageData* message, ASErr code) {
  if (code == kNoErr || code == kCanceledErr) return;
  // Everything the alert and its dialog call must be held: a failed
  // acquisition may have stopped before any of them.
  if (sADMBasic == nullptr || sADMDialog == nullptr || sADMItem == nullptr || sAIUser == nullptr)
    return;

  AlertText text = {};
  const ASInt32 messageIndex = messageIndexFor(message->pluginRef, code);
  if (sADMBasic->GetIndexString(message->pluginRef, kErrorStringsId, messageIndex, text.messageText,
                                sizeof text.messageText) != kNoErr)
    return;
  formatErrorCode(code, text.codeText, sizeof text.codeText);
  sADMDialog->Modal(message->pluginRef, kErrorDialogName, kErrorDialogId, 0, initErrorDialog,
                    &text);
}
