// The game scene with the real archive and a screen without a window: intro,
// leaning with the mouse, goal and loss, new games, quitting, the hidden dialog.
#include <gtest/gtest.h>
#include <cstdlib>
#include <memory>
#include <string>
#include "common/actors/CActorButton.h"
#include "common/actors/CActorSprite.h"
#include "common/status/CClock.h"
#include "common/actors/CEditBox.h"
#include "common/scene/CSceneDialog.h"
#include "common/screen/CInputRecorder.h"
#include "game/app/AAppRollavex.h"
#include "game/AGameRollavex.h"
#include "game/maze/AGhostBall.h"
#include "game/options/AOptionsRollavex.h"
#include "platform/io/MSettings.h"
#include "game/AStatusRollavex.h"
#include "FileTestSupport.h"
#include "WaveBytes.h"
#include "game_fakes.h"
#include "platform/window/AppTimer.h"
#include "platform/audio/MSoundManager.h"
#include "platform/math/MVector3.h"
#include "platform/mesh/MMesh.h"

namespace {

enum : uint32_t { kEscape = 27, kF9 = 120, kN = 78, kK = 75, kV = 86, kB = 66, kP = 80, kPause = 19, kLeft = 37,
                  kRight = 39, kDown = 40, kEnter = 13, kPageUp = 33, kPageDown = 34 };

// Sounds on OpenAL's silent device, for every test of this file.
class SoundEnvironment : public testing::Environment {
    void SetUp() override
    {
        setenv("ALSOFT_DRIVERS", "null", 0);
        ASSERT_EQ(GetSoundManager()->Initialize(nullptr, snd::DSSCL_PRIORITY, 2, 22050, 16), 0);
    }
    void TearDown() override { DestroySoundManager(); }
};
const auto* const kSound = testing::AddGlobalTestEnvironment(new SoundEnvironment);

class GameTest : public testing::Test {
protected:
    void SetUp() override
    {
        setenv("XDG_STATE_HOME", stateHome.Path().c_str(), 1);
        screen.OpenGameArchive();
        screen.ptCursor = {400, 300};
        game = std::make_unique<AGameRollavex>(&screen, 0, 0, 0, 1, 0, 1);
        ASSERT_EQ(game->Load(), 0);
        for (auto& sound : sounds)
            sound = new gamefakes::Sound();
        AGameRollavex::AdoptSounds(sounds[0], sounds[1], sounds[2]);
        ASSERT_EQ(game->Begin(), 0);
        AppTimer(TimerStop); // frames of exactly 25 ticks from here on
        status = game->GetRollStatus();
    }
    void TearDown() override
    {
        game.reset();
        AppTimer(TimerStart);
    }

    void Frames(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            AppTimer(TimerAdvance);
            CScene::UpdateAllScenes();
            CScene::TickAllScenes();
        }
    }
    void PassIntro() { Frames(22); }
    // A drag with the left button from the cursor's place by (dx, dy).
    void Drag(int dx, int dy)
    {
        const auto start = screen.ptCursor;
        screen.OnLeftButtonDown(start.x, start.y);
        screen.OnMouseMove(start.x + dx, start.y + dy);
        screen.OnLeftButtonUp(start.x + dx, start.y + dy);
    }
    void PlaceInGoal() { game->GetBall()->Place(-0.7f, -2.0f, 0.0f, 0.0f, 0.0f); }
    // The text of a status line or label; empty while hidden.
    static std::string Shown(const CActorButton* line) { return line->IsHidden() ? "" : line->GetText(); }
    std::string Message() const { return Shown(status->GetMessageLine()); }
    // The current maze's key as the state files name it.
    std::string KeyText() const
    {
        char text[17];
        std::snprintf(text, sizeof text, "%016llx",
                      static_cast<unsigned long long>(game->GetMazes().ReadKey(screen.GetMMFile(), game->GetMaze())));
        return text;
    }
    std::string NewBest() const { return Shown(status->GetNewBestLine()); }
    std::string BestLabel() const { return Shown(status->GetBestLabel()); }
    bool HintShown() const { return !status->GetHintLine()->IsHidden(); }
    CClock* Clock() const { return status->GetGameClock(); }
    static std::string Time(int32_t hundredths)
    {
        char text[24];
        ABestTime::Format(text, sizeof text, hundredths);
        return text;
    }
    void ExpectLean(int x, int y) const
    {
        EXPECT_EQ(std::pair(game->GetBoard()->GetLeanX(), game->GetBoard()->GetLeanY()), std::pair(x, y));
    }

    TempFolder stateHome; // the best times
    gamefakes::Screen screen;
    std::unique_ptr<AGameRollavex> game;
    gamefakes::Sound* sounds[3] = {}; // intro, goal, fall
    AStatusRollavex* status = nullptr;
};

TEST_F(GameTest, IntroShowsPictureAndSoundAtTheFirstTickLocksTheBoardAndEndsAfterTwoSecondsWithTheClock)
{
    Frames();
    EXPECT_FALSE(game->GetIntroPicture()->IsHidden());
    EXPECT_EQ(sounds[0]->nPlays, 1);
    Frames(4);
    Drag(100, 50);
    ExpectLean(0, 0);
    game->OnKeyUp(kN);
    Frames(15); // 500 ticks
    EXPECT_TRUE(game->IsLeanLocked());
    EXPECT_FALSE(HintShown());
    EXPECT_FALSE(Clock()->IsRunning());
    Frames(); // 525
    EXPECT_FALSE(game->IsLeanLocked());
    EXPECT_TRUE(game->GetIntroPicture()->IsHidden());
    EXPECT_TRUE(HintShown());
    EXPECT_EQ(sounds[0]->nPlays, 1);
    Frames();
    EXPECT_TRUE(Clock()->IsRunning());
}

// The lean starts from the press point even when the pointer has moved on;
// the right button during a left lean neither restarts nor ends it. The
// hidden dialog needs K and V first and B with the left button held, and
// takes the button's release: the lean ends as it opens.
TEST_F(GameTest, DragLeansFromThePressPointAndTheHiddenDialogEndsTheLean)
{
    PassIntro();
    screen.ptCursor = {450, 330};
    screen.OnLeftButtonDown(400, 300);
    EXPECT_EQ(std::pair(screen.ptCursor.x, screen.ptCursor.y), std::pair(400, 300));
    EXPECT_FALSE(screen.IsPointerShown());
    screen.OnMouseMove(420, 330);
    ExpectLean(-20, -30);
    const int moves = screen.nCursorMoves;
    screen.OnRightButtonDown(420, 330);
    screen.OnRightButtonUp(420, 330);
    EXPECT_EQ(screen.nCursorMoves, moves);
    screen.OnMouseMove(440, 330);
    ExpectLean(-40, -30);
    for (uint32_t key : {kV, kB})
        game->OnKeyDown(key);
    screen.OnLeftButtonUp(440, 330);
    EXPECT_EQ(screen.nCursorMoves, moves + 1);
    screen.OnMouseMove(300, 200);
    ExpectLean(-40, -30);
    for (uint32_t key : {kK, kB})
        game->OnKeyDown(key);
    EXPECT_EQ(game->GetDialog(), nullptr);
    screen.OnLeftButtonDown(400, 300);
    screen.OnMouseMove(430, 320);
    game->OnKeyDown(kB);
    CSceneDialog* dialog = game->GetDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(game->IsSuspended());
    EXPECT_TRUE(screen.IsPointerShown());
    game->OnDialogClosed(dialog, 1);
    EXPECT_EQ(game->GetDialog(), nullptr);
    delete dialog;
}

// P and Pause stop and restart the clock and the board; the window's focus
// shows the pause too, and ends a lean as a release does.
TEST_F(GameTest, PauseStopsTheClockAndLosingTheFocusShowsItAndEndsTheLean)
{
    PassIntro();
    Frames(40);
    const CEditBox* paused = status->GetPausedLine();
    for (uint32_t key : {kP, kPause}) {
        const int running = Clock()->GetValue();
        screen.OnKeyDown(key);
        screen.OnKeyDown(kLeft);
        Frames(60);
        EXPECT_EQ(Clock()->GetValue(), running) << key;
        EXPECT_FALSE(paused->IsHidden());
        ExpectLean(0, 0);
        screen.OnKeyUp(kLeft);
        screen.OnKeyDown(key);
        Frames(60);
        EXPECT_GT(Clock()->GetValue(), running) << key;
        EXPECT_TRUE(paused->IsHidden());
    }
    screen.OnLeftButtonDown(400, 300);
    screen.OnMouseMove(380, 300);
    screen.OnActivate(0);
    game->OnFocusChange(false);
    EXPECT_TRUE(screen.IsPointerShown());
    EXPECT_EQ(screen.ptCursor.x, 400);
    EXPECT_FALSE(paused->IsHidden());
    const int moves = screen.nCursorMoves;
    screen.OnActivate(1);
    game->OnFocusChange(true);
    screen.OnLeftButtonUp(380, 300);
    EXPECT_EQ(screen.nCursorMoves, moves) << "the lean ended once";
    EXPECT_TRUE(paused->IsHidden());
}

// The screen hands the pad's stick and its loss to the game: the stick leans
// in proportion, an unplugged pad pauses (and never resumes a pause).
TEST_F(GameTest, GamepadStickLeansInProportionAndUnpluggingPauses)
{
    PassIntro();
    screen.Adopt(game.get());
    screen.OnPadStick(500, -1000);
    Frames();
    ExpectLean(-50, 100);
    for (int i = 0; i < 2; ++i) {
        screen.OnPadLost();
        EXPECT_TRUE(game->IsUserPaused());
        EXPECT_FALSE(status->GetPausedLine()->IsHidden());
    }
    screen.OnPadStick(0, 0);
    Frames();
    ExpectLean(0, 0);
    screen.Adopt(nullptr);
}

// The keys' lean goes into the recording as the game saw it; played back
// (live keys dropped), the same run ends in the same place.
TEST_F(GameTest, ARecordedKeyboardGameReplaysToTheSameEnd)
{
    PassIntro();
    const std::string path = testing::TempDir() + "rvx_keys.rec";
    CInputRecorder* recorder = GetInputRecorder();
    auto play = [&] {
        game->NewGame(0);
        screen.OnKeyDown(kLeft);
        screen.OnKeyDown('W');
        Frames(30);
        screen.OnKeyUp(kLeft);
        Frames(30);
        screen.OnKeyUp('W');
        Frames(10);
    };
    recorder->StartRecording(path.c_str());
    recorder->Attach(game.get(), game.get());
    play();
    const float x = game->GetBall()->GetX(), y = game->GetBall()->GetY();
    recorder->Stop();
    EXPECT_NE(ReadText(path).find("\nL 97 97\n"), std::string::npos);
    recorder->StartReplay(path.c_str());
    game->NewGame(0);
    Frames(70);
    EXPECT_EQ(std::pair(game->GetBall()->GetX(), game->GetBall()->GetY()), std::pair(x, y));
    EXPECT_NE(x, -0.7f);
    recorder->Stop();
}

// A loss sets no best time; a new game hides the message but not the hint,
// levels the board and restarts the clock. The goal stops
// the clock, sounds once a game, and sets the best time, which a later loss
// keeps and only a strictly faster win replaces.
TEST_F(GameTest, LossNewGameGoalAndTheBestTime)
{
    PassIntro();
    game->BallFalls();
    game->EndTurn(0, 0);
    EXPECT_EQ(sounds[2]->nPlays, 1);
    EXPECT_EQ(Message(), "Better luck next time!");
    EXPECT_EQ(BestLabel(), "");
    EXPECT_EQ(game->GetBestTime().Get(), ABestTime::None);
    Frames();
    EXPECT_FALSE(Clock()->IsRunning());
    game->OnKeyUp(kN);
    EXPECT_EQ(Message(), "");
    EXPECT_TRUE(HintShown());
    Drag(30, 100);
    Frames(8);
    game->OnKeyUp(kN);
    EXPECT_FALSE(HintShown());
    EXPECT_EQ(Clock()->GetValue(), 0);
    ExpectLean(0, 0);
    Frames(12);
    PlaceInGoal();
    Frames(3);
    EXPECT_EQ(sounds[1]->nPlays, 1);
    EXPECT_EQ(Message(), "Congratulations!");
    const int stopped = Clock()->GetValue();
    ASSERT_GT(stopped, 0);
    const std::string time = Time(status->GetHundredths());
    EXPECT_EQ(time.substr(0, 5), Clock()->GetText()) << "the clock's whole seconds";
    const std::string best = "Best " + time;
    EXPECT_EQ(BestLabel(), best);
    EXPECT_EQ(NewBest(), "New best time!  " + time);
    game->GetBall()->Place(-0.2f, -2.0f, 0.0f, 0.0f, 0.0f); // out of the goal square and back in
    Frames();
    PlaceInGoal();
    Frames(50);
    EXPECT_EQ(sounds[1]->nPlays, 1);
    EXPECT_EQ(Clock()->GetValue(), stopped);
    // A fall after the goal is silent but ends with the loss message.
    game->BallFalls();
    game->EndTurn(0, 0);
    EXPECT_EQ(sounds[2]->nPlays, 1);
    EXPECT_EQ(Message(), "Better luck next time!");
    EXPECT_EQ(NewBest(), "");
    EXPECT_EQ(BestLabel(), best);
    game->OnKeyUp(kN);
    PlaceInGoal();
    Frames();
    EXPECT_EQ(sounds[1]->nPlays, 2);
    const int32_t faster = status->GetHundredths();
    EXPECT_EQ(BestLabel(), "Best " + Time(faster)) << "a faster win";
    char difference[16];
    ABestTime::FormatDifference(difference, sizeof difference, faster - game->GetBestTime().GetPrevious());
    EXPECT_EQ(difference[0], '-');
    EXPECT_EQ(NewBest(), "New best time!  " + Time(faster) + "  " + difference);
    game->OnKeyUp(kN);
    PlaceInGoal();
    Frames();
    EXPECT_EQ(sounds[1]->nPlays, 3);
    EXPECT_EQ(NewBest(), Time(faster) + "  +0.00") << "an equal time is no new best";
}

// A finished game is loaded and begun again: its old actors go with the old
// assets, so none is left pointing to a released mesh.
TEST_F(GameTest, AGameLoadedAgainKeepsNoActorOfTheLastLoad)
{
    auto count = [&] {
        int n = 0;
        for (const CActor* a = game->GetFirstActor(); a; a = a->GetNext())
            ++n;
        return n;
    };
    const int actors = count();
    ASSERT_EQ(game->Load(), 0);
    ASSERT_EQ(game->Begin(), 0);
    EXPECT_EQ(count(), actors);
    PassIntro();
    PlaceInGoal();
    Frames(3);
    EXPECT_EQ(game->GetRollStatus()->GetMessageLine()->GetText(), std::string("Congratulations!"));
}

// Each maze of the archive: the ball starts on its board, not over a hole, the
// goal square lies on the board inside the frame's walls, and its best time
// is kept under the key read from the archive's bytes.
TEST_F(GameTest, EveryMazeStartsOnItsBoardWithTheGoalInsideItsFrame)
{
    const AMazeSet& mazes = game->GetMazes();
    ASSERT_GE(mazes.Count(), 12);
    auto onBoard = [&](float x, float y) {
        int32_t hit = 0;
        float distance = 0;
        game->GetBoardGeometry()->Intersect(MVector3(x, y, -0.3f), MVector3(0, 0, 1), &hit, &distance);
        return hit != 0;
    };
    auto walledIn = [&](float x, float y) {
        int32_t hits = 0;
        for (const auto& d : {MVector3(1, 0, 0), MVector3(-1, 0, 0), MVector3(0, 1, 0), MVector3(0, -1, 0)}) {
            int32_t hit = 0;
            float distance = 0;
            game->GetFrameGeometry()->Intersect(MVector3(x, y, -0.2f), d, &hit, &distance);
            hits += hit;
        }
        return hits == 4;
    };
    for (int32_t n = mazes.Count(); n >= 1; --n) {
        const AMaze& maze = mazes.Get(n);
        SCOPED_TRACE(maze.szName);
        game->PlayMaze(n);
        ASSERT_EQ(game->GetMaze(), n);
        EXPECT_FLOAT_EQ(game->GetBall()->GetX(), maze.fStartX);
        EXPECT_FLOAT_EQ(game->GetBall()->GetY(), maze.fStartY);
        EXPECT_TRUE(onBoard(maze.fStartX, maze.fStartY));
        EXPECT_TRUE(walledIn(maze.fStartX, maze.fStartY));
        for (float sx : {-1.0f, 1.0f})
            for (float sy : {-1.0f, 1.0f}) {
                EXPECT_TRUE(onBoard(maze.fGoalX + sx * maze.fGoalHalf, maze.fGoalY + sy * maze.fGoalHalf));
                EXPECT_TRUE(walledIn(maze.fGoalX + sx * maze.fGoalHalf, maze.fGoalY + sy * maze.fGoalHalf));
            }
        EXPECT_EQ(mazes.ReadKey(screen.GetMMFile(), n),
                  AMazeSet::Key(game->GetBoardGeometry()->GetDigest(), game->GetFrameGeometry()->GetDigest()));
        EXPECT_EQ(Shown(status->GetMazeLabel()), "Maze " + std::to_string(n) + " \xB7 " + maze.szName);
    }
}

// A win opens the next maze: Enter and the Next button go there; Page Down and
// Page Up move between open mazes only; N starts the same maze again.
TEST_F(GameTest, AWinOpensTheNextMazeForEnterNextAndThePageKeys)
{
    PassIntro();
    const CActorButton* next = game->GetNextButton();
    game->OnKeyUp(kPageDown);
    game->OnKeyUp(kEnter);
    game->OnKeyUp(kPageUp);
    EXPECT_EQ(game->GetMaze(), 1) << "maze 2 is locked and there is none before 1";
    EXPECT_TRUE(next->IsHidden());
    PlaceInGoal();
    Frames(3);
    EXPECT_FALSE(next->IsHidden());
    EXPECT_EQ(game->GetProgress().GetUnlocked(), 2);
    game->OnKeyUp(kEnter);
    EXPECT_EQ(game->GetMaze(), 2);
    EXPECT_TRUE(next->IsHidden());
    EXPECT_EQ(Message(), "");
    EXPECT_EQ(game->GetBall()->GetX(), game->GetMazes().Get(2).fStartX);
    game->OnKeyUp(kPageDown);
    EXPECT_EQ(game->GetMaze(), 2) << "maze 3 is locked";
    game->OnKeyUp(kPageUp);
    EXPECT_EQ(game->GetMaze(), 1);
    EXPECT_EQ(game->GetProgress().GetLast(), 1);
    game->OnKeyUp(kPageDown);
    Frames(4);
    game->OnKeyUp(kN);
    EXPECT_EQ(game->GetMaze(), 2);
    EXPECT_EQ(Clock()->GetValue(), 0);
}

// Each control of the options panel, worked with the keys and with its arrow
// buttons' commands, changes its setting at once and writes its own line;
// Escape then closes the panel, not the game, and the game goes on.
TEST_F(GameTest, EveryOptionsPanelControlIsKeptInTheSettingsAndEscapeClosesThePanel)
{
    TempFolder config;
    setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    AAppRollavex app;
    SetApplication(&app);
    GetSettings()->OpenConfigRoot(AAppRollavex::kCompany, AAppRollavex::kName);
    auto* options = static_cast<AOptionsRollavex*>(app.GetOptions());
    options->Load();
    ASSERT_EQ(game->Load(), 0);
    ASSERT_EQ(game->Begin(), 0);
    PassIntro();
    AOptionsPanel* panel = game->GetOptionsPanel();
    const struct {
        int32_t row;
        uint32_t key; // pressed twice
        const char *name, *section;
        int32_t AOptionsRollavex::*field;
        int32_t expected;
    } controls[] = {
        {AOptionsPanel::Effects, kLeft, "SFX", "Config", &AOptionsRollavex::SFX, 80},
        {AOptionsPanel::Music, AOptionsPanel::FirstCommand + 2 * AOptionsPanel::Music, "Music", "Config",
         &AOptionsRollavex::Music, options->Music - 20},
        {AOptionsPanel::Sensitivity, kRight, "MouseSensitivity", "Input", &AOptionsRollavex::MouseSensitivity, 120},
        {AOptionsPanel::InvertY, kEnter, "InvertY", "Input", &AOptionsRollavex::InvertY, 0},
        {AOptionsPanel::InvertY, kRight, "InvertY", "Input", &AOptionsRollavex::InvertY, 1},
        {AOptionsPanel::DeadZone, AOptionsPanel::FirstCommand + 2 * AOptionsPanel::DeadZone + 1, "StickDeadZone",
         "Input", &AOptionsRollavex::StickDeadZone, 25},
    };
    game->OnKeyUp(AGameRollavex::KeyO);
    ASSERT_TRUE(panel->IsOpen());
    EXPECT_TRUE(game->IsUserPaused());
    for (const auto& c : controls) {
        SCOPED_TRACE(c.name);
        while (panel->GetSelected() != c.row) {
            game->OnKeyDown(kDown);
            game->OnKeyUp(kDown);
        }
        for (int i = 0; i < 2; ++i) {
            game->OnKeyDown(c.key);
            game->OnKeyUp(c.key);
        }
        EXPECT_EQ(options->*c.field, c.expected);
        int32_t stored = -1000;
        GetSettings()->ReadDword(&stored, c.name, -1000, c.section);
        EXPECT_EQ(stored, c.expected);
    }
    game->OnKeyDown(kEscape);
    game->OnKeyUp(kEscape);
    EXPECT_FALSE(panel->IsOpen());
    EXPECT_FALSE(screen.IsFinishPending()) << "Escape closed the panel, not the game";
    EXPECT_FALSE(game->IsUserPaused());
    ExpectLean(0, 0);
    SetApplication(nullptr);
}

// The ghost follows the best run by the clock, passes through the ball
// without touching it, and G hides and shows it; a new best replaces the run.
TEST_F(GameTest, TheGhostFollowsTheBestRunByTheClockTouchesNothingAndGHidesIt)
{
    // A run straight down the first corridor, through where the ball rolls.
    std::string run = "RVXRUN 1\n";
    for (int t = 0; t <= 400; t += 4)
        run += std::to_string(t) + " -4.35 " + std::to_string(4.38 - t / 200.0) + " -1.75\n";
    const std::string path = stateHome.Path() + "/Orvande/Rollavex/best-run-" + KeyText();
    std::filesystem::create_directories(stateHome.Path() + "/Orvande/Rollavex");
    WriteText(path, run);
    ASSERT_EQ(game->Load(), 0);
    ASSERT_EQ(game->Begin(), 0);
    AGhostBall* ghost = game->GetGhost();
    PassIntro();
    EXPECT_FALSE(ghost->IsHidden());
    game->GetBoard()->GetLeanInput().Press(kDown, true); // the keys lean the board down
    std::vector<float> withGhost;
    for (int i = 0; i < 8; ++i) {
        Frames();
        const int32_t ticks = status->GetRunTicks();
        EXPECT_FLOAT_EQ(ghost->GetWorld()(3, 1), game->GetBestRun().At(ticks).y) << ticks;
        withGhost.push_back(game->GetBall()->GetY());
    }
    EXPECT_GT(status->GetRunTicks(), 0);
    game->OnKeyUp(AGameRollavex::KeyG);
    EXPECT_TRUE(ghost->IsHidden());
    // The same game without a ghost rolls the same way.
    game->GetBoard()->GetLeanInput().Press(kDown, false);
    game->OnKeyUp(kN);
    PassIntro();
    game->GetBoard()->GetLeanInput().Press(kDown, true);
    for (int i = 0; i < 8; ++i) {
        Frames();
        EXPECT_FLOAT_EQ(game->GetBall()->GetY(), withGhost[size_t(i)]) << i;
    }
    game->OnKeyUp(AGameRollavex::KeyG);
    EXPECT_FALSE(ghost->IsHidden());
    PlaceInGoal();
    Frames();
    EXPECT_EQ(ReadText(path), run) << "nothing is written in the winning frame";
    Frames();
    EXPECT_NE(ReadText(path), run) << "the faster run is kept";
}

class QuitKeyTest : public GameTest, public testing::WithParamInterface<uint32_t> {};

TEST_P(QuitKeyTest, EndsTheGameWithTheQuitCode)
{
    EXPECT_EQ(game->OnKeyUp(GetParam()), 1);
    EXPECT_EQ(screen.IsFinishPending() ? screen.GetResultCode() : -1, 99);
}

INSTANTIATE_TEST_SUITE_P(EscapeAndF9, QuitKeyTest, testing::Values(uint32_t(kEscape), uint32_t(kF9)));

// The ball's four sounds (entry 12) from a small archive: an unreadable one is 68.
TEST(BallLoading, AnUnreadableSoundIs68)
{
    TempFolder folder;
    const Bytes wave = Chunk("evaw", wavebytes::Pcm16Wave({0, 1000, -1000, 0}, 1, 22050));
    Bytes sounds;
    for (const Bytes& sound : {wave, Chunk("evaw", Text("not a RIFF WAVE")), wave, wave})
        Append(&sounds, sound);
    WriteAllBytes(folder.File("ball.mm"), Archive(13, std::vector<uint32_t>(13, 12 + 8 + 4 + 13 * 4), sounds));
    CFileMM archive;
    archive.Open(FileSpec(folder.Path().c_str(), "ball.mm"), 2);
    EXPECT_EQ(ALeanBall::LoadAssets(&archive), 68);
    ALeanBall::UnloadAssets();
}

} // namespace
