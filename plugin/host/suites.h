/* Every suite declaration the heart filter and its host share.
 *
 * How the declarations are written. Each operation says what it does and
 * who owns what passes, then, in brackets, who calls it and when:
 *
 *   [plug-in, while the suites are held]
 *       The plug-in calls the host from the acquisition to the release of
 *       one message's suites (every message but the "SP Access" ones,
 *       messages.h), the dialog procedures that run inside a modal dialog
 *       of that message included. "While the suite is held" asks only for
 *       that suite: while a suite table is being acquired, or when a
 *       message acquires one suite on its own.
 *   [plug-in, while the suites are held; during a filter invocation]
 *       The same, and only between the start of Get Parameters and the end
 *       of the Go after it (or of a Go alone): the undo suite's operations.
 *   [plug-in, during any message]
 *       The basic suite's operations, which need no suite held.
 *   [plug-in, inside the modal dialog] (or the item's, list's, entry's)
 *       Only while the dialog the reference belongs to is open: from the
 *       start of its initialisation procedure until Modal returns.
 *   [plug-in, inside a notify procedure] (or a track procedure)
 *       Only during the call of the procedure the notifier or tracker was
 *       passed to.
 *   [host, ...]
 *       The host calls the plug-in: the entry point, and the procedures the
 *       plug-in gave to a dialog or an item.
 *
 * After the brackets, "Heart:" says where the heart filter calls the
 * operation, or that it holds the suite and never calls it.
 *
 * Who owns what passes, unless the operation says otherwise:
 * - Strings, structures and arrays passed in belong to the caller and need
 *   only last for the call: the host copies what it keeps.
 * - A buffer with its size belongs to the caller. The host writes it before
 *   it returns, zero-terminated within bufferSize, and keeps nothing; after
 *   a failure its content is not to be relied on.
 * - A reference the host hands out (a handle, a Ref) is the host's; the
 *   plug-in frees one only through the suite's own operation for it. Each
 *   operation that hands one out says until when it is valid, and the
 *   plug-in must not use it after that. The host checks every reference
 *   that comes back and refuses one it does not know, so a stale reference
 *   fails instead of reaching freed memory: "PARM" from an operation with a
 *   result code, otherwise null, 0 or nothing done. (Where the host reuses
 *   the memory or the slot of an object that is gone, a stale reference may
 *   reach the newer object of the same kind; it never reaches freed memory.)
 * - Values are values: reals, integers, points and rectangles passed by
 *   value are copied with the call.
 *
 * Result codes (heart_types.h): 0 is success. "PARM" answers a missing
 * argument, a reference the host does not know and a value out of range;
 * other codes are named where an operation answers them. Everything runs on
 * the host's thread, one message at a time; a dialog procedure runs nested
 * inside the message that opened the dialog, never at the same time as
 * another call. */
#ifndef HEART_HOST_SUITES_H
#define HEART_HOST_SUITES_H

#include "plugin/host/heart_types.h"
#include "plugin/host/messages.h"
#include "plugin/host/sp_suites.h"
#include "plugin/host/ai_support_suites.h"
#include "plugin/host/ai_art_suites.h"
#include "plugin/host/ai_document_suites.h"
#include "plugin/host/ai_menu_filter_suites.h"
#include "plugin/host/adm_suites.h"

#endif
