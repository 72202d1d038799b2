// Where the program keeps its files: the profile folder, the install folder under it, and the
// names of the files and folders the program uses there.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace analysis {

/// The program's folder tree, found from the user's profile folder.
struct InstallFolders {
    std::filesystem::path ProfileFolder;
    std::filesystem::path InstallFolder;

    /// A file of the program, given relative to InstallFolder ("Exec/Analysis.OPT").
    std::filesystem::path file(std::string_view relative) const { return InstallFolder / relative; }
};

/// The profile folder from the environment: USERPROFILE when set (an installation carried over
/// from the old platform keeps working with it), otherwise HOME. The whole value is taken: a path
/// cut short would name another folder.
std::string userProfileFromEnvironment();

/// ProfileFolder is userProfile itself; InstallFolder is "QuillmarshData/Analysis" inside it.
InstallFolders installFoldersFor(std::string_view userProfile);

/// Removes the files that older installations left in the profile folder ("Nightjar.EXE",
/// "QuillStub.EXE", "SEE32.DLL"). The install folder is not touched. IoError when one exists
/// but cannot be deleted.
void removeLeftoverFiles(const std::filesystem::path& profileFolder);

/// The program's files, relative to the install folder.
namespace files {
inline constexpr std::string_view Program = "Exec/Analysis.EXE";
inline constexpr std::string_view ProgramIcon = "Exec/Analysis.png";
inline constexpr std::string_view Settings = "Exec/Analysis.OPT";
inline constexpr std::string_view InstallationState = "Exec/Analysis.JOB";
inline constexpr std::string_view DataFile = "Data/Analysis.DAT";
inline constexpr std::string_view AnalysisText = "Analysis.TXT";
inline constexpr std::string_view Schedule = "SimoDump.LST";
inline constexpr std::string_view PrintFile = "Analysis.PRN";
inline constexpr std::string_view PclFile = "Analysis.PCL";
inline constexpr std::string_view ScratchFile = "Analysis.TMP";
inline constexpr std::string_view HelpIndex = "Help/@-Report.HLP";
inline constexpr std::string_view HelpA = "Help/A-Report.HLP";
inline constexpr std::string_view HelpX = "Help/X-Report.HLP";
inline constexpr std::string_view HelpE = "Help/E-Report.HLP";
inline constexpr std::string_view HelpB = "Help/B-Report.HLP";
inline constexpr std::string_view ArchiveFolder = "Archive";
} // namespace files

} // namespace analysis
