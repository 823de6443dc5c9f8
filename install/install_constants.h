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

// HKEY_LOCAL_MACHINE: the setup's own key, and below it the 8.3 paths that
// Windows 9x's restart will leave files under, each with its long name
// (long_names.h).
inline constexpr char SetupKeyPath[] = "Software\\Velmora Touchscreen";
inline constexpr char ShortNamesKeyPath[] = "Software\\Velmora Touchscreen\\Short names";
