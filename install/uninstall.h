// Removal of what an installation put in place.
#pragma once

// 0, or -1 when the device entry did not open or its key or class slot could
// not be deleted.
int UninstallPackage();
