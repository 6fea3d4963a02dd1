// The files a run wrote into a report or keep folder, so the next run can take back its own.
#pragma once

#include <set>
#include <string>

namespace zyvodiag {

// Removes from `folder` every file an earlier run recorded there that `written` (names relative
// to the folder) does not name again, then records `written` for the next run. A file the tool
// did not record, or that is no longer a plain file (a link put in its place), stays; a
// subfolder the removed files leave empty goes. False,
// saying why, when the record cannot be written.
bool replaceRecordedFiles(const std::string& folder, const std::set<std::string>& written,
                          std::string& error);

// Adds `written` to the record of `folder`, keeping what earlier runs recorded, so that a run
// stopped before it replaces the record leaves only files the next run takes back. False, saying
// why, when the record cannot be written.
bool addToRecord(const std::string& folder, const std::set<std::string>& written,
                 std::string& error);

} // namespace zyvodiag
