#include "platform/dialogs/MOpenDialog.h"

#include "base/BApplication.h"
#include "base/FileSpec.h"
#include "platform/dialogs/MDialogScript.h"
#include "platform/dialogs/MMessageDialog.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

bool IsOnPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        std::string candidate = folders.substr(start, end - start) + "/" + program;
        if (end > start && access(candidate.c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

// Runs the program without a shell; its standard output is the answer.
bool RunForOutput(const std::vector<std::string>& args, std::string& output)
{
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        return false;
    }
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        std::vector<char*> argv;
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(fds[1]);
    char buffer[512];
    ssize_t got;
    while ((got = read(fds[0], buffer, sizeof buffer)) > 0)
        output.append(buffer, static_cast<size_t>(got));
    close(fds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r'))
        output.pop_back();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && !output.empty();
}

void TellNoDialog()
{
    MMessageDialog box;
    box.SetIcon(BMessageDialog::IconExclamation);
    box.SetText("No file dialog is available.  Install zenity or kdialog to choose the file.");
    box.Show(nullptr);
}

} // namespace

int32_t MOpenDialog::Show(BWindow*)
{
    return MDialogScript::IsActive() ? ShowScripted() : ShowSystem();
}

int32_t MOpenDialog::ShowScripted()
{
    MDialogScript::Record(std::string("open|") + szFile);
    std::string answer = MDialogScript::NextAnswer();
    if (answer.empty() || answer == "cancel" || answer.size() >= sizeof szFile)
        return Cancelled;
    std::strcpy(szFile, answer.c_str());
    return Chosen;
}

int32_t MOpenDialog::ShowSystem()
{
    std::string description = GetFilterDescription();
    std::string pattern = GetFilterPattern();
    std::vector<std::string> args;
    if (IsOnPath("zenity")) {
        args = {"zenity", "--file-selection", std::string("--filename=") + szFile};
        if (fSaveMode)
            args.push_back("--save");
        if (!pattern.empty())
            args.push_back("--file-filter=" + description + " | " + pattern);
    } else if (IsOnPath("kdialog")) {
        args = {"kdialog", fSaveMode ? "--getsavefilename" : "--getopenfilename", szFile,
                pattern + "|" + description};
    } else {
        TellNoDialog();
        return Cancelled;
    }
    std::string chosen;
    if (!RunForOutput(args, chosen) || chosen.size() >= sizeof szFile)
        return Cancelled;
    if (!fSaveMode && access(chosen.c_str(), F_OK) != 0)
        return Cancelled;
    std::strcpy(szFile, chosen.c_str());
    return Chosen;
}

void MOpenDialog::SetFileNameFromResource(uint32_t nId)
{
    if (BApplication* app = GetApplication())
        app->LoadStringResource(nId, szFile, sizeof szFile);
}

void MOpenDialog::SetFileName(const char* szText)
{
    std::strncpy(szFile, szText ? szText : "", sizeof szFile - 1);
    szFile[sizeof szFile - 1] = '\0';
}

int32_t MOpenDialog::SetFilterFromResource(uint32_t nId)
{
    char text[sizeof szFilter] = "";
    BApplication* app = GetApplication();
    if (!app || app->LoadStringResource(nId, text, sizeof text) == 0)
        return 2;
    SetFilter(text);
    return 0;
}

void MOpenDialog::SetFilter(const char* szText)
{
    std::memset(szFilter, 0, sizeof szFilter);
    std::strncpy(szFilter, szText ? szText : "", sizeof szFilter - 1);
    size_t length = std::strlen(szFilter);
    if (length == 0)
        return;
    char separator = szFilter[length - 1];
    for (size_t i = 0; i < length; ++i)
        if (szFilter[i] == separator)
            szFilter[i] = '\0';
}

std::string MOpenDialog::GetFilterDescription() const { return szFilter; }

std::string MOpenDialog::GetFilterPattern() const
{
    size_t length = std::strlen(szFilter);
    return length + 1 < sizeof szFilter ? std::string(szFilter + length + 1) : std::string();
}

size_t MOpenDialog::TitleOffset() const
{
    const char* slash = std::strrchr(szFile, '/');
    const char* backslash = std::strrchr(szFile, '\\');
    const char* last = slash > backslash ? slash : backslash;
    return last ? static_cast<size_t>(last - szFile) + 1 : 0;
}

void MOpenDialog::GetFileTitle(char* szOut) { std::strcpy(szOut, szFile + TitleOffset()); }

void MOpenDialog::GetFolderAndName(FileSpec* pOut)
{
    size_t offset = TitleOffset();
    pOut->SetFolder(std::string(szFile, offset).c_str());
    pOut->SetName(szFile + offset);
}

void MOpenDialog::GetExtension(char* szOut)
{
    const char* title = szFile + TitleOffset();
    const char* dot = std::strrchr(title, '.');
    std::memset(szOut, 0, 4);
    if (!dot)
        return;
    size_t length = std::strlen(dot + 1);
    szOut[0] = '.';
    for (size_t i = 1; i < 4; ++i)
        szOut[i] = i <= length ? dot[i] : ' ';
}
