// Making and removing the run's temporary directory.
#pragma once

#include <string>

// The base folder for the run's temporary directory: the first line of
// "tempdir.txt" in programDirectory when that file exists, else the
// environment's temp or tmp, else TMPDIR, else "/tmp".
std::string ChooseTempBase(const std::string& programDirectory);

// Creates "br_ttt_" + six random characters below the base (falling back to
// "/tmp" and then the working directory), exclusively and readable by this
// user only, and stores it in TempDir. Run folders that killed runs left in
// that base are removed first. Shows the documented message and returns
// false when no folder can be made.
bool CreateTempDir(const std::string& programDirectory);

// Deletes the run's temporary directory with everything in it.
void RemoveTempDir();
