#pragma once
// Fakes of the maze tests: sounds that count, a host that stands in for the
// game, and meshes made from boxes; the screen is the engine tests' own.
#include <memory>
#include <string>
#include <vector>
#include "base/BSound.h"
#include "common/scene/CGame.h"
#include "common/assets/CMesh.h"
#include "game/maze/ALeanBall.h"
#include "game/maze/AMazeSet.h"
#include "game/maze/ALeanBoard.h"
#include "game/maze/ALeanFrame.h"
#include "game/maze/ALeanHost.h"
#include "platform/math/MMatrix.h"
#include "platform/mesh/MMesh.h"
#include "scene_fakes.h"

namespace gamefakes {

class Sound : public BSound {
public:
    bool IsPlaying() override { return fPlaying; }
    int32_t Play(bool fLoop) override
    {
        ++nPlays;
        fLooped = fLoop;
        return 0;
    }
    int32_t Stop() override { return 0; }
    int32_t Halt() override { return 0; }
    int32_t Replay() override { return 0; }
    int32_t Toggle() override { return 0; }
    int32_t GetVolume() override { return 0; }
    int32_t SetVolume(float fFactor) override
    {
        fVolume = fFactor;
        return 0;
    }

    int nPlays = 0;
    bool fLooped = false, fPlaying = false;
    float fVolume = -1.0f;
};

using Screen = fakes::Screen;

// Stands in for the running game: the lean comes from the board when there
// is one, else from aX and aY; the geometry is whatever the test sets.
class Host : public CGame, public ALeanHost {
public:
    explicit Host(CScreen* screen = nullptr) : CGame(screen, 0, 0, 0, 1, 0, 1) { ALeanHost::SetRunning(this); }
    ~Host() override { ALeanHost::SetRunning(nullptr); }

    float GetLeanAngleX() const override { return pBoard ? float(pBoard->GetLeanX()) * -0.001f : aX; }
    float GetLeanAngleY() const override { return pBoard ? float(pBoard->GetLeanY()) * 0.001f : aY; }
    float GetSurfaceZ(float x, float y) override { return pBoard ? pBoard->GetSurfaceZ(x, y) : fSurfaceZ; }
    const MMatrix& GetLeanMatrix() const override { return pBoard ? pBoard->GetLeanMatrix() : matLevel; }
    const MMesh* GetBoardGeometry() const override { return pBoardMesh; }
    const MMesh* GetFrameGeometry() const override { return pFrameMesh; }
    bool IsPlayerLost() const override { return fLost; }
    bool IsLeanLocked() const override { return fLeanLocked; }
    bool IsMouseLocked() const override { return fMouseLocked; }
    void StartTurn(int player) override { rgnGoals.push_back(player); }
    void BallFalls() override { ++nFalls; }
    // The ball lost counts an end; the player is then lost unless fLoseOnEnd is off.
    void EndTurn(int success, int player) override { ++nEnds; fLost = fLoseOnEnd; nLastEnd = success * 10 + player; }

    ALeanBoard* pBoard = nullptr;
    const MMesh *pBoardMesh = nullptr, *pFrameMesh = nullptr;
    float aX = 0.0f, aY = 0.0f, fSurfaceZ = -1.3f;
    bool fLost = false, fLoseOnEnd = true, fLeanLocked = false, fMouseLocked = false;
    std::vector<int> rgnGoals;
    int nFalls = 0, nEnds = 0, nLastEnd = -1;
    MMatrix matLevel;
};

// The first maze's start and goal, as the archive's table gives them.
inline const AMaze kMazeOne{"Garden Path", 10, 11, -4.35f, 4.38f, -0.7f, -2.0f, 0.2f};

// Puts a board (placed at z = -1.3, with its frame) and a ball into the host,
// with the board's and the frame's meshes as the geometry; the board leans
// from the cursor at (400, 300). Returns the ball.
inline ALeanBall* PlaceMaze(Host& host, Screen& screen)
{
    MMatrix placement;
    placement.SetTranslation(0.0f, 0.0f, -1.3f);
    host.pBoard = new ALeanBoard(&host, placement);
    auto* ball = new ALeanBall(&host, MMatrix());
    ball->SetCourse(kMazeOne);
    ball->Restart(0, 0);
    host.pBoardMesh = host.pBoard->GetMesh()->GetMesh();
    host.pFrameMesh = host.pBoard->GetFrame()->GetMesh()->GetMesh();
    screen.ptCursor = {400, 300};
    host.pBoard->BeginLean(0, 0);
    return ball;
}

// X text of axis-aligned boxes (lo and hi corners), twelve triangles each.
class Boxes {
public:
    Boxes& Add(float x0, float y0, float z0, float x1, float y1, float z1)
    {
        static constexpr size_t kFaces[12][3] = {{0, 1, 3}, {0, 3, 2}, {4, 7, 5}, {4, 6, 7}, {0, 4, 5}, {0, 5, 1},
                                                 {2, 3, 7}, {2, 7, 6}, {0, 2, 6}, {0, 6, 4}, {1, 5, 7}, {1, 7, 3}};
        const size_t base = nVertices;
        for (int i = 0; i < 8; ++i)
            Item(szVertices, nVertices, std::to_string(i & 1 ? x1 : x0) + ";" + std::to_string(i & 2 ? y1 : y0) + ";" +
                                            std::to_string(i & 4 ? z1 : z0) + ";");
        for (const auto& f : kFaces)
            Item(szFaces, nFaces, "3;" + std::to_string(base + f[0]) + "," + std::to_string(base + f[1]) + "," +
                                      std::to_string(base + f[2]) + ";");
        return *this;
    }
    // A square of side 2·half around (x, y) at height z, lying flat.
    Boxes& AddTile(float x, float y, float half, float z) { return Add(x - half, y - half, z, x + half, y + half, z + 0.01f); }

    std::unique_ptr<MMesh> Build() const
    {
        const std::string text = "xof 0303txt 0032\nMesh Boxes {\n" + std::to_string(nVertices) + ";\n" + szVertices +
                                 ";\n" + std::to_string(nFaces) + ";\n" + szFaces + ";\n}\n";
        return std::make_unique<MMesh>(text.data(), uint32_t(text.size()));
    }

private:
    // Appends one item to an X list, comma-separated.
    static void Item(std::string& list, size_t& count, const std::string& item) { list += (count++ ? ",\n" : "") + item; }

    std::string szVertices, szFaces;
    size_t nVertices = 0, nFaces = 0;
};

} // namespace gamefakes
