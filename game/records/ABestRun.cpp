#include "game/records/ABestRun.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include "game/app/AAppRollavex.h"
#include "platform/io/MStateFile.h"

namespace {
constexpr const char* kHeader = "RVXRUN 1";
constexpr size_t kMaxFileBytes = 8u << 20;
constexpr float kMaxReach = 100.0f;
} // namespace

ABestRun::ABestRun()
{
    rgRun.reserve(MaxSamples);
    rgBest.reserve(MaxSamples);
}

void ABestRun::Open(uint64_t nMaze)
{
    char name[32];
    std::snprintf(name, sizeof name, "best-run-%016" PRIx64, nMaze);
    szPath = MStateFile::PathOf(AAppRollavex::kCompany, AAppRollavex::kName, name);
    rgBest.clear();
    fPending = false;
    std::ifstream in(szPath, std::ios::binary | std::ios::ate);
    if (!in)
        return;
    const std::streamoff size = in.tellg();
    std::string text(size > 0 && size <= std::streamoff(kMaxFileBytes) ? size_t(size) : 0, '\0');
    in.seekg(0);
    in.read(text.data(), std::streamsize(text.size()));
    if (text.empty() || !in || !Parse(text, rgBest)) {
        rgBest.clear();
        std::fprintf(stderr, "Rollavex: the best run \"%s\" is damaged; no ghost is shown.\n", szPath.c_str());
    }
}

MVector3 ABestRun::At(int32_t nTicks) const
{
    if (rgBest.empty())
        return MVector3();
    size_t lo = 0, hi = rgBest.size() - 1;
    if (nTicks <= rgBest[lo].lTicks)
        return rgBest[lo].vWhere;
    if (nTicks >= rgBest[hi].lTicks)
        return rgBest[hi].vWhere;
    while (hi - lo > 1) {
        const size_t mid = (lo + hi) / 2;
        (rgBest[mid].lTicks <= nTicks ? lo : hi) = mid;
    }
    const Sample& a = rgBest[lo];
    const Sample& b = rgBest[hi];
    const float f = float(nTicks - a.lTicks) / float(b.lTicks - a.lTicks);
    return MVector3(a.vWhere.x + (b.vWhere.x - a.vWhere.x) * f, a.vWhere.y + (b.vWhere.y - a.vWhere.y) * f,
                    a.vWhere.z + (b.vWhere.z - a.vWhere.z) * f);
}

void ABestRun::StartRun() { rgRun.clear(); }

void ABestRun::Note(int32_t nTicks, const MVector3& where, bool fLast)
{
    const bool due = rgRun.empty() || nTicks >= rgRun.back().lTicks + (fLast ? 1 : StepTicks);
    if (due && rgRun.size() < MaxSamples)
        rgRun.push_back({nTicks, where});
}

void ABestRun::TakeRun()
{
    rgBest.assign(rgRun.begin(), rgRun.end());
    fPending = !rgBest.empty();
}

void ABestRun::Keep()
{
    if (!fPending)
        return;
    fPending = false;
    if (szPath.empty() || !MStateFile::WriteWhole(szPath, Format(rgBest)))
        std::fprintf(stderr, "Rollavex: the best run could not be kept in \"%s\".\n",
                     szPath.empty() ? "$XDG_STATE_HOME or $HOME" : szPath.c_str());
}

std::string ABestRun::Format(const std::vector<Sample>& samples)
{
    std::string text = std::string(kHeader) + "\n";
    char line[96];
    for (const Sample& s : samples) {
        std::snprintf(line, sizeof line, "%d %.4f %.4f %.4f\n", int(s.lTicks), double(s.vWhere.x), double(s.vWhere.y),
                      double(s.vWhere.z));
        text += line;
    }
    return text;
}

// The header, then at least one sample; ticks from 0, each above the last;
// places finite and near the board.
bool ABestRun::Parse(const std::string& text, std::vector<Sample>& out)
{
    out.clear();
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kHeader)
        return false;
    while (std::getline(in, line)) {
        Sample s{};
        char rest = 0;
        if (std::sscanf(line.c_str(), "%" SCNd32 " %f %f %f %c", &s.lTicks, &s.vWhere.x, &s.vWhere.y, &s.vWhere.z,
                        &rest) != 4)
            return false;
        const bool placed = std::fabs(s.vWhere.x) <= kMaxReach && std::fabs(s.vWhere.y) <= kMaxReach &&
                            std::fabs(s.vWhere.z) <= kMaxReach;
        const bool rising = out.empty() ? s.lTicks == 0 : s.lTicks > out.back().lTicks;
        if (!placed || !rising || out.size() >= MaxSamples)
            return false;
        out.push_back(s);
    }
    return !out.empty();
}
