#pragma once
// Sound through the multimedia command strings, with a module-wide pool of 21 rotating
// device aliases so that sounds overlap and none is waited for.

#include <string>

// Plays one file: false when it does not exist, true otherwise (command errors are
// not looked at).
bool PlaySoundFile(const std::string &path);
// Plays `fileName` from the sound folder, falling back to the same name with the
// extension ".mp3" when the file itself is missing.
void PlayModuleSound(const std::string &soundFolder, const std::string &fileName);
// The alias counter: the alias of the last sound, 0 before the first.
int SoundAliasCounter();
