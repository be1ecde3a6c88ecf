#include "platform/dialogs/MDialogScript.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

struct Script {
    bool fActive = false;
    std::vector<std::string> rgAnswers;
    size_t nNext = 0;
    std::vector<std::string> rgRecord;
};

void Fill(Script& script, const std::string& answers)
{
    script.fActive = true;
    script.rgAnswers.clear();
    script.nNext = 0;
    std::istringstream in(answers);
    std::string answer;
    while (std::getline(in, answer, ';'))
        script.rgAnswers.push_back(answer);
}

Script& GetScript()
{
    static Script script = [] {
        Script s;
        if (const char* answers = std::getenv("RVX_DIALOG_ANSWERS"))
            Fill(s, answers);
        return s;
    }();
    return script;
}

} // namespace

bool MDialogScript::IsActive() { return GetScript().fActive; }

void MDialogScript::SetAnswers(const std::string& szAnswers) { Fill(GetScript(), szAnswers); }

std::string MDialogScript::NextAnswer()
{
    Script& script = GetScript();
    if (script.nNext >= script.rgAnswers.size())
        return "";
    return script.rgAnswers[script.nNext++];
}

void MDialogScript::Record(const std::string& szEntry)
{
    GetScript().rgRecord.push_back(szEntry);
    if (const char* log = std::getenv("RVX_DIALOG_LOG"))
        std::ofstream(log, std::ios::app) << szEntry << "\n";
}

const std::vector<std::string>& MDialogScript::GetRecord() { return GetScript().rgRecord; }

void MDialogScript::ClearRecord() { GetScript().rgRecord.clear(); }
