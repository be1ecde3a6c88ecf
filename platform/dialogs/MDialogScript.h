#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Scripted answers for the system dialogs, so tests and headless runs never
// wait on a box. Active when RVX_DIALOG_ANSWERS is set (answers separated by
// ';': "ok", "cancel", "yes", "no" for message boxes, a path or "cancel" for
// the file dialog) or when a test calls SetAnswers. Once the answers run out a
// message box takes its first button and a file dialog is cancelled. Every
// dialog shown is recorded, and appended to the file RVX_DIALOG_LOG names:
// "message|<caption>|<text>" or "open|<initial file>".
class MDialogScript {
public:
    static bool IsActive();
    static void SetAnswers(const std::string& szAnswers);
    // The next answer, or empty when none is left.
    static std::string NextAnswer();
    static void Record(const std::string& szEntry);
    static const std::vector<std::string>& GetRecord();
    static void ClearRecord();
};
