#pragma once
// Names of the files and folders in the program folder.

namespace pellmaris {

inline constexpr const char* kSettingsFile = "settings.ini";
inline constexpr const char* kAreaOptionsFile = "pmdb.lst";
inline constexpr const char* kUserLocationsFile = "PMuser.lst";
inline constexpr const char* kErrorLogFile = "PMerror.log";
inline constexpr const char* kLastCleanFile = "date.lst";
inline constexpr const char* kLocationDatabaseFile = "PMlist.lst";
inline constexpr const char* kEnvBatch = "orvane.bat";
inline constexpr const char* kEnvDump = "orvane.dat";
inline constexpr const char* kSysInfoBatch = "Pellmaris.bat";
inline constexpr const char* kSysInfoDump = "Pellmaris.txt";
inline constexpr const char* kWelcomeFile = "info.ini";
inline constexpr const char* kWebLinksFile = "PMwebs.lst";
inline constexpr const char* kPasswordFile = "pass.ini";
inline constexpr const char* kSkinFolder = "pellmarisgui";

} // namespace pellmaris
