// What the setup puts where: files, registry keys, the program group.
// Platform-free.
#pragma once

// Path buffers: the platform's maximum path, and the larger buffer the
// install steps build destinations in.
inline constexpr int PathSize = 260;
inline constexpr int DestinationSize = 512;

// The driver's files, copied from the source directory.
inline constexpr char InfFileName[] = "kaltex.inf";
inline constexpr char DriverFileName[] = "kaltex.vxd";
inline constexpr char CursorFileName[] = "nilpt.cur";

// HKEY_LOCAL_MACHINE. The mouse class slots 0000 to 0015, and the one device
// instance.
inline constexpr char MouseClassKey[] = "System\\CurrentControlSet\\Services\\Class";
inline constexpr char MouseSlotPattern[] = "System\\CurrentControlSet\\Services\\Class\\Mouse\\%04d";
inline constexpr int MouseSlotCount = 16;
inline constexpr char DeviceInstanceKey[] = "Enum\\Root\\DravikTouchScreen\\0000\\";
inline constexpr char DeviceKey[] = "Enum\\Root\\DravikTouchScreen\\";

// The product folder under the Windows directory, and the Start-menu group.
inline constexpr char ProductFolderName[] = "VelmoraScreen";
inline constexpr char ProgramGroupName[] = "Velmora Touchscreen";

// After Windows 9x's restart has moved a file into place under its 8.3 name
// only, a command under HKEY_LOCAL_MACHINE's RunOnce key, named with this
// prefix and the file's 8.3 path, runs the product folder's install.exe
// with this switch to give the file its long name back.
inline constexpr char LongNameSwitch[] = "/longname";
inline constexpr char LongNameValuePrefix[] = "Velmora long name ";
