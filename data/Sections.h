// The sixteen sections of the main body, in their fixed order: the readers
// that fill the program's resources, and the writer that is their inverse.
#pragma once

class CStream;
class CGameResources;
class ILoadObserver;

// Reads every section into GameResources, announcing each to the observer.
// On a failing record or section it shows the message and returns false;
// read and decompression errors are thrown (EStreamError).
bool LoadSections(CStream& body, ILoadObserver& observer);

// Writes the sections of resources, as LoadSections reads them.
void SaveSections(CStream& body, const CGameResources& resources);
// Writes one section, 0 (extension packages) to 15 (room order).
void SaveSection(CStream& body, const CGameResources& resources, int section);
constexpr int kSectionCount = 16;
