// Windows 9x's restart (WININIT) runs before long names exist: a file it
// moves into place keeps only its 8.3 name (Microsoft's Q300920), so that
// quinpad1.0.cpl would come back as QUINPA~1.CPL. For each such file a
// command under HKEY_LOCAL_MACHINE's RunOnce key has the product folder's
// install.exe put the long name back at the first logon after the restart.
#pragma once

// Queues that command for the file at longPath, whose 8.3 path the restart
// will leave it under; nothing when its name is its 8.3 name anyway. False,
// with the platform's error, when the command cannot be written.
bool QueueLongNameRestore(const char *longPath, const char *shortPath);

// Takes back the command queued for that 8.3 path.
void ForgetLongNameRestore(const char *shortPath);

// Gives the file at shortPath the long name again when it lacks it. A file
// that already has it is left as it is; a short-named copy beside a file
// under the long name is a leftover of ours, and goes.
void RestoreLongName(const char *shortPath, const char *longName);

// The command as Windows runs it: at every logon (Q137367), so also at one
// before the restart, while WININIT.INI still holds the file's line; then
// it puts itself back for the next logon instead.
void RunLongNameCommand(const char *shortPath, const char *longName);

// Carries out every command still queued, now, and removes it.
void RestoreQueuedLongNames();
