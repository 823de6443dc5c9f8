// Resource ids of Zentrim.
#pragma once

#define IDB_PLUS 101      // a plus sign; in the file, not loaded
#define IDB_RINGS 103     // a cross over rings; in the file, not loaded
#define IDB_CHECKMARK 104 // beside the instruction on the target screens
#define IDB_HAND 105      // above the text on the check screen
#define IDI_ZENTRIM 106   // the program file's icon
#define IDB_TARGET 109    // the cross target
