#pragma once

#include "library/LoadEntry.h"
#include "model/ProjectData.h"
#include "model/UserPrompts.h"

namespace tavo {

// "Übernehmen" on the two load pages: entry `entry` of the chosen table (built-in
// or own, by the tables' source) becomes a new row of the active element. The
// steps guard the mistakes a take-over can make (no element, a full element, a
// surcharge without its load, an incomplete own entry, a value outside its range)
// and ask through prompts and dialogs. True when a row was inserted; the caller
// then marks the document modified and shows the new row count.
bool takeOverPermanentEntry(ProjectData& project, int entry, UserPrompts& prompts, EntryDialogs& dialogs);
bool takeOverImposedEntry(ProjectData& project, int entry, UserPrompts& prompts, EntryDialogs& dialogs);

// The messages of a refused take-over (UTF-8).
inline constexpr const char* kNoActiveElementMessage = "Bitte zuerst einen Bauteil incl. Element aktivieren!";
inline constexpr const char* kNoFreeRowMessage = "Keine freie Zeile mehr vorhanden in diesem Element!";
inline constexpr const char* kNoParentLoadMessage = "Bitte zuerst eine übergeordnete Last in den Bauteil einfügen!";
inline constexpr const char* kIncompleteEntryMessage = "Eingabe in dieser Zeile unvollständig!";
inline constexpr const char* kImposedOnWallQuestion = "Nutzlast einer Wand zuordnen?";

}  // namespace tavo
