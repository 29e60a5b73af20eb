#pragma once
// Top-level windows by class and title, seen across processes: each entry is a small
// file under the runtime directory ($VESTRANO_WINDOW_DIR, else
// $XDG_RUNTIME_DIR/vestrano-windows, else the temporary folder) holding the owner's
// process id, the class and the title. Entries of processes that have died are ignored
// and cleaned away. An entry lives as long as its object.

#include <string>

namespace Platform {

class TTopLevelWindowEntry {
public:
    TTopLevelWindowEntry(const std::string &className, const std::string &title);
    ~TTopLevelWindowEntry();
    TTopLevelWindowEntry(const TTopLevelWindowEntry &) = delete;
    TTopLevelWindowEntry &operator=(const TTopLevelWindowEntry &) = delete;

    // The title as it stands now; another process may have changed it.
    std::string Title() const;
    void SetTitle(const std::string &title);
    // False when the entry could not be written (no writable runtime directory).
    bool Registered() const { return !m_path.empty(); }

    // Whether a live window of that class with that title exists on this computer.
    static bool Exists(const std::string &className, const std::string &title);
    static std::string Directory();

private:
    void Write(const std::string &title);

    std::string m_className;
    std::string m_path;
};

} // namespace Platform
