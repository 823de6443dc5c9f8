// What an earlier run left for the restart, made to agree with this run
// before it changes anything: an uninstallation declined the restart and
// was followed by an installation, or an installation queued a replacement
// and an uninstallation followed. Every operation of the restart that names
// a file of the package (the product folder's, the calibrator and cursor in
// the Windows directory, the applet, the driver files) is dropped, the copy
// it would have moved into place is deleted, and a file that an earlier
// restart left under its 8.3 name gets its long name back (long_names.h).
// This run then queues what it still needs, so that the restart does what
// the last run asked and no more.
// Other programs' operations stay byte for byte.
#pragma once

// False, with the platform's error, when the package's operations cannot be
// dropped (WININIT.INI read-only, say); nothing is deleted then. Before an
// uninstallation, files left under 8.3 names are removed, not renamed.
bool ReconcileRestartQueue(bool uninstalling);
