// A folder of the test's own under the temporary folder, removed with
// everything in it when the test ends.
#pragma once
#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// Deletes a file or a folder tree, whatever its attributes.
void RemoveTree(const std::string& path);
