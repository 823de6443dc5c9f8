// Windows 9x's restart (WININIT) runs before long names exist: a file it
// moves into place gets only the 8.3 name its line gives, as a file of its
// own (Microsoft's Q300920), so that quinpad1.0.cpl comes back as
// QUINPA~1.CPL. The restart queue records each such 8.3 path with its long
// name under the setup's own key (ShortNamesKeyPath), and the next run of
// install.exe, the wizard or the uninstallation, puts the long name back
// before it changes anything else. Until then the file works under its 8.3
// name: the Control Panel loads any .cpl in System.
#pragma once

// For each 8.3 path recorded, in System or the product folder: a file that
// has that name alone gets its long name back; it goes instead when a file
// under the long name is there (a copy over that one follows) or when
// uninstalling, and one a program holds then goes at the restart. A name
// that is still the alias of a file with a long name (no restart since) is
// that file, and is left alone. Each record then goes, but one whose file
// could not be renamed (a program holds it) or removed. Only once the
// restart's queue no longer holds the line that would leave such a file.
void RestoreLongNames(bool uninstalling);
