// Folders and files of the tests: where the test program and the system's
// binaries are, the system folder, and a folder of the temporary folder
// that a test fills and that goes again with its files.
//
// One rule for folders: a folder's path ends with a backslash, so a file's
// path is the folder and the name; NoTrailingBackslash gives the bare folder
// where a caller wants that.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace testsupport {

// The path of the running test program.
std::string ThisProgram();
// The folder of the test program, with a trailing backslash: the system's
// binaries, the shipped scenarios (scenarios\) and the test programs and
// probes are there.
std::string TestFolder();
// The system folder, with a trailing backslash.
std::string SystemFolder();
// `folder` without its trailing backslash (unchanged without one).
std::string NoTrailingBackslash(const std::string& folder);

// `programFiles` followed by what a program of the system needs beside it
// to start from another folder: the service library, the simulated adapter
// and the compiler's run-time libraries.
std::vector<std::string> WithRuntimeLibraries(std::initializer_list<const char*> programFiles);

// A folder of the temporary folder, made by the constructor; the files in
// it (not subfolders) and the folder itself are deleted when the object goes.
class TemporaryFolder {
public:
    enum class Naming {
        AsGiven,   // `name` itself; an existing folder is used as it is
        Numbered,  // `name` and a number, the first that is not there yet
    };
    explicit TemporaryFolder(const std::string& name, Naming naming = Naming::AsGiven);
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    // With a trailing backslash.
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + name; }
    // Copies `from` into the folder as `name`; false when it failed.
    bool Copy(const std::string& from, const std::string& name) const;
    // Copies file `name` of the test folder into the folder.
    bool CopyFromTestFolder(const std::string& name) const;

private:
    std::string m_path;
};

} // namespace testsupport
