#include "game/app/AAppRollavex.h"

#include <cstdio>
#include <cstring>
#include <string_view>
#include "base/CException.h"
#include "common/screen/CInputRecorder.h"
#include "game/AGameRollavex.h"
#include "game/app/AMazeCommands.h"
#include "platform/io/ParseInt32.h"

namespace {

constexpr const char* kUsage =
    "Usage: rollavex [--help | --version | --list-mazes | --maze N | --replay FILE | --record FILE]\n"
    "\n"
    "Rollavex is a 3D tilt maze: lean the wooden board and roll the steel ball past\n"
    "the holes into the goal square, against the clock. Twelve mazes of rising\n"
    "difficulty: winning one opens the next.\n"
    "\n"
    "Options:\n"
    "  --list-mazes      print each maze: number, name, best time or -, locked\n"
    "  --maze N          start on maze N (it must be open)\n"
    "  --replay FILE     play a recorded game back\n"
    "  --record FILE     record the game into FILE\n"
    "\n"
    "Keys:\n"
    "  mouse button held, mouse moved   lean the board\n"
    "  arrow keys, W A S D               lean the board\n"
    "  N                                 new game on this maze\n"
    "  Enter (after a win)               next maze\n"
    "  Page Down, Page Up                next and previous open maze\n"
    "  P, Pause                          pause and resume\n"
    "  Escape, F9                        quit\n"
    "  F11, Alt+Enter                    full screen or windowed (kept)\n"
    "  O                                 options\n"
    "  G                                 show or hide the ghost of the best run\n"
    "\n"
    "Gamepad:\n"
    "  left stick, d-pad                 lean the board\n"
    "  A                                 new game\n"
    "  Start                             pause and resume\n"
    "  Back                              quit\n"
    "\n"
    "Settings are kept in $XDG_CONFIG_HOME/Orvande/Rollavex/ (default ~/.config);\n"
    "[Config] holds Fullscreen (0 or 1), WindowWidth and WindowHeight (the window's size),\n"
    "SFX and Music (percent by ear, 100 and 70; 0 or -1 silent);\n"
    "[Input] holds MouseSensitivity (percent, 100), InvertY (0) and StickDeadZone (percent, 15).\n"
    "\n"
    "Environment:\n"
    "  RVX_RECORD=<file>        record the game into a file\n"
    "  RVX_REPLAY=<file>        play a recorded game back\n"
    "  RVX_DIALOG_ANSWERS=...   answer the dialogs without showing them\n"
    "                           (ok, cancel, yes, no or a file path, separated by ;)\n"
    "  RVX_DIALOG_LOG=<file>    append each dialog shown to a file\n";

constexpr int kStart = -1;

// A file that cannot be played or written is told in one line: exit code 2.
int StartRecorder(bool fReplay, const char* szPath)
{
    try {
        fReplay ? GetInputRecorder()->StartReplay(szPath) : GetInputRecorder()->StartRecording(szPath);
    } catch (const CFileException&) {
        return 2;
    }
    return kStart;
}

// kStart without arguments; otherwise answers them and gives the exit code.
int AnswerArguments(int argc, char** argv)
{
    if (argc == 1)
        return kStart;
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("rollavex " RVX_VERSION);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--list-mazes") == 0)
        return AMazeCommands::List(stdout);
    int32_t maze = 0;
    if (argc == 3 && std::strcmp(argv[1], "--maze") == 0 && ParseInt32(std::string_view(argv[2]), &maze)) {
        if (const int code = AMazeCommands::CheckStart(maze); code != 0)
            return code;
        AGameRollavex::RequestStartMaze(maze);
        return kStart;
    }
    const bool replay = std::strcmp(argv[1], "--replay") == 0;
    if (argc == 3 && (replay || std::strcmp(argv[1], "--record") == 0))
        return StartRecorder(replay, argv[2]);
    std::fputs(kUsage, stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (int code = AnswerArguments(argc, argv); code != kStart)
        return code;
    auto* app = new AAppRollavex();
    SetApplication(app);
    int32_t code = app->Execute();
    delete app;
    SetApplication(nullptr);
    // The game's end completed the recording; one that could not be written fails the run.
    const bool lost = GetInputRecorder()->HasWriteFailed();
    DestroyInputRecorder();
    return code == 0 && lost ? 1 : code;
}
