#include "common/screen/CInputRecorder.h"
#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include "base/CException.h"
#include "common/scene/CScene.h"

namespace {
const char kSource[] = "common/CInputRecorder";
const char kHeader[] = "RVXREC 3";
const char* const kOldHeaders[] = {"RVXREC 1", "RVXREC 2"};
constexpr long kMaxStage = 9999;
constexpr long kMaxLean = 100;
constexpr uint32_t kLineCannotWrite = 61;
constexpr uint32_t kLineCannotRead = 74;
constexpr uint32_t kLineTooLarge = 81;
constexpr uint32_t kLineBadContent = 88;
constexpr size_t kWriteBuffer = 64 * 1024;
constexpr size_t kLineRoom = 64;
constexpr long kMaxTicks = CScene::MaxElapsed;

CInputRecorder* g_pRecorder = nullptr;

// Reads one signed integer token; false unless it is a whole number within [lo, hi].
bool ReadInt(const char*& p, long lo, long hi, long* out)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    if (*p == '\0')
        return false;
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(p, &end, 10);
    if (end == p || errno == ERANGE || v < lo || v > hi)
        return false;
    if (*end != '\0' && *end != ' ' && *end != '\t')
        return false;
    p = end;
    *out = v;
    return true;
}

bool AtEnd(const char* p)
{
    while (*p == ' ' || *p == '\t' || *p == '\r')
        ++p;
    return *p == '\0';
}

// One record line (without its newline); an empty string when it is fine.
std::string ParseLine(const char* p, CInputRecorder::Record* rec)
{
    const char kind = *p++;
    long a = 0, b = 0, c = 0;
    rec->cKind = kind;
    rec->lValue = 0;
    rec->wX = rec->wY = 0;
    rec->lY = 0;
    switch (kind) {
    case 'U':
    case 'T':
        // A frame gets 0 to 25 ticks.
        if (!ReadInt(p, 0, kMaxTicks, &a))
            return "expected a tick count from 0 to 25";
        break;
    case 'M':
        if (!ReadInt(p, 1, 8, &a) || !ReadInt(p, 0, 65535, &b) || !ReadInt(p, 0, 65535, &c))
            return "expected a mouse event: type 1-8, x and y 0-65535";
        break;
    case 'K':
        if (!ReadInt(p, 1, 4, &a) || !ReadInt(p, 0, 65535, &b))
            return "expected a key event: kind 1-4 and a key code 0-65535";
        break;
    case 'L':
        if (!ReadInt(p, -kMaxLean, kMaxLean, &a) || !ReadInt(p, -kMaxLean, kMaxLean, &c))
            return "expected a lean: x and y from -100 to 100";
        rec->lY = static_cast<int32_t>(c);
        c = 0;
        break;
    case 'S':
        if (!ReadInt(p, 1, kMaxStage, &a))
            return "expected a stage from 1 to 9999";
        break;
    default:
        return "unknown record (expected U, T, M, K, L or S)";
    }
    if (!AtEnd(p))
        return "unexpected text after the record";
    rec->lValue = static_cast<int32_t>(a);
    rec->wX = static_cast<uint16_t>(b);
    rec->wY = static_cast<uint16_t>(c);
    return std::string();
}

bool IsBlankOrComment(const std::string& line)
{
    return line.empty() || line[0] == '#' || AtEnd(line.c_str());
}
} // namespace

CInputRecorder* GetInputRecorder()
{
    if (!g_pRecorder)
        g_pRecorder = new CInputRecorder();
    return g_pRecorder;
}

void DestroyInputRecorder()
{
    delete g_pRecorder;
    g_pRecorder = nullptr;
}

CInputRecorder::~CInputRecorder()
{
    Stop();
}

void CInputRecorder::Fail(const char* path, const std::string& why, uint32_t line)
{
    strError = std::string(path) + ": " + why;
    std::fprintf(stderr, "Rollavex: %s\n", strError.c_str());
    throw CFileException(kSource, line);
}

void CInputRecorder::StartFromEnvironment()
{
    if (nMode != kOff)
        return;
    const char* replay = std::getenv("RVX_REPLAY");
    const char* record = std::getenv("RVX_RECORD");
    if (replay && *replay)
        StartReplay(replay);
    else if (record && *record)
        StartRecording(record);
}

void CInputRecorder::StartRecording(const char* path)
{
    Stop();
    pFile = std::fopen(path, "w");
    if (!pFile)
        Fail(path, std::string("cannot write the recording: ") + std::strerror(errno), kLineCannotWrite);
    rgBuffer.assign(kWriteBuffer, '\0');
    nUsed = 0;
    strPath = path;
    fWriteFailed = false;
    nMode = kRecording;
    lLeanX = lLeanY = 0;
    Append("%s\n", kHeader);
}

void CInputRecorder::StartReplay(const char* path)
{
    Stop();
    FILE* f = std::fopen(path, "rb");
    if (!f)
        Fail(path, std::string("cannot read the replay: ") + std::strerror(errno), kLineCannotRead);
    std::string text;
    char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0 && text.size() <= kMaxFileBytes)
        text.append(chunk, n);
    std::fclose(f);
    if (text.size() > kMaxFileBytes)
        Fail(path, "the replay is larger than 16 MB", kLineTooLarge);
    std::vector<Record> records;
    std::string why;
    size_t bad = Parse(text, records, why);
    if (bad)
        Fail(path, "line " + std::to_string(bad) + ": " + why, kLineBadContent);
    rgRecords.swap(records);
    nNext = 0;
    nMode = kReplaying;
    lLeanX = lLeanY = 0;
}

size_t CInputRecorder::Parse(const std::string& text, std::vector<Record>& out, std::string& error)
{
    out.clear();
    out.reserve(text.size() / 4 + 1);
    size_t pos = 0;
    size_t lineNo = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find('\0') != std::string::npos) {
            error = "binary data in a text replay";
            return lineNo;
        }
        if (lineNo == 1) {
            if (line != kHeader && line != kOldHeaders[0] && line != kOldHeaders[1]) {
                error = std::string("not a replay: the first line must be \"") + kHeader + "\"";
                return lineNo;
            }
            continue;
        }
        if (IsBlankOrComment(line))
            continue;
        Record rec{};
        error = ParseLine(line.c_str(), &rec);
        if (!error.empty())
            return lineNo;
        out.push_back(rec);
    }
    if (lineNo == 0) {
        error = "the replay is empty";
        return 1;
    }
    return 0;
}

void CInputRecorder::Stop()
{
    if (pFile) {
        Flush();
        if (std::fclose(pFile) != 0)
            WriteFailed(errno);
        pFile = nullptr;
    }
    rgRecords.clear();
    nNext = 0;
    nMode = kOff;
}

void CInputRecorder::Attach(const CScene* scene, Sink* sink)
{
    pScene = scene;
    pSink = sink;
}

void CInputRecorder::Detach(const CScene* scene)
{
    if (scene != pScene)
        return;
    pScene = nullptr;
    pSink = nullptr;
    Stop();
}

// Each frame's records reach the file at once; a failure is told the first time.
void CInputRecorder::Flush()
{
    if (nUsed && pFile && (std::fwrite(rgBuffer.data(), 1, nUsed, pFile) != nUsed || std::fflush(pFile) != 0))
        WriteFailed(errno);
    nUsed = 0;
}

void CInputRecorder::WriteFailed(int nError)
{
    if (fWriteFailed)
        return;
    fWriteFailed = true;
    strError = strPath + ": the recording could not be written: " + std::strerror(nError);
    std::fprintf(stderr, "Rollavex: %s\n", strError.c_str());
}

void CInputRecorder::Append(const char* fmt, ...)
{
    if (rgBuffer.size() - nUsed < kLineRoom)
        Flush();
    va_list args;
    va_start(args, fmt);
    int n = std::vsnprintf(rgBuffer.data() + nUsed, kLineRoom, fmt, args);
    va_end(args);
    if (n > 0)
        nUsed += static_cast<size_t>(n) < kLineRoom ? static_cast<size_t>(n) : kLineRoom - 1;
}

int CInputRecorder::PassMouse(uint32_t type, uint16_t x, uint16_t y)
{
    if (nMode == kReplaying)
        return fDelivering;
    if (nMode == kRecording && pScene)
        Append("M %u %u %u\n", static_cast<unsigned>(type), static_cast<unsigned>(x), static_cast<unsigned>(y));
    return 1;
}

int CInputRecorder::PassKey(int kind, int key)
{
    if (nMode == kReplaying)
        return fDelivering;
    if (nMode == kRecording && pScene)
        Append("K %d %d\n", kind, key);
    return 1;
}

void CInputRecorder::DeliverPending()
{
    fDelivering = 1;
    while (nMode == kReplaying && nNext < rgRecords.size()) {
        const Record& rec = rgRecords[nNext];
        if (rec.cKind == 'M') {
            ++nNext;
            if (pSink)
                pSink->DeliverMouse(static_cast<uint32_t>(rec.lValue), rec.wX, rec.wY);
        } else if (rec.cKind == 'K') {
            ++nNext;
            if (pSink)
                pSink->DeliverKey(rec.lValue, rec.wX);
        } else if (rec.cKind == 'S') {
            ++nNext;
            if (pSink)
                pSink->DeliverStage(rec.lValue);
        } else {
            break;
        }
    }
    fDelivering = 0;
}

int CInputRecorder::Ticks(const CScene* scene, int pass, int measured)
{
    if (scene == nullptr || scene != pScene || nMode == kOff)
        return measured;
    const char kind = pass == kTickPass ? 'T' : 'U';
    if (nMode == kRecording) {
        // A restarted clock measures fewer than none; the recorded game gets
        // none, as its replay will.
        const int ticks = std::max(measured, 0);
        Append("%c %d\n", kind, ticks);
        // Each frame reaches the file, so a killed game keeps its recording.
        if (pass == kTickPass)
            Flush();
        return ticks;
    }
    DeliverPending();
    if (nMode != kReplaying || nNext >= rgRecords.size()) {
        Stop();
        return measured;
    }
    const Record& rec = rgRecords[nNext];
    if (rec.cKind != kind) {
        strError = "the replay went out of step with the game";
        std::fprintf(stderr, "Rollavex: %s\n", strError.c_str());
        Stop();
        return measured;
    }
    ++nNext;
    return rec.lValue;
}

void CInputRecorder::Lean(const CScene* scene, int32_t* x, int32_t* y)
{
    if (scene == nullptr || scene != pScene || nMode == kOff)
        return;
    if (nMode == kRecording) {
        if (*x != lLeanX || *y != lLeanY)
            Append("L %d %d\n", static_cast<int>(*x), static_cast<int>(*y));
        lLeanX = *x;
        lLeanY = *y;
        return;
    }
    if (nNext < rgRecords.size() && rgRecords[nNext].cKind == 'L') {
        lLeanX = rgRecords[nNext].lValue;
        lLeanY = rgRecords[nNext].lY;
        ++nNext;
    }
    *x = lLeanX;
    *y = lLeanY;
}

void CInputRecorder::Stage(const CScene* scene, int32_t nStage)
{
    if (scene != nullptr && scene == pScene && nMode == kRecording)
        Append("S %d\n", static_cast<int>(nStage));
}

int32_t CInputRecorder::GetReplayStartStage() const
{
    return nMode == kReplaying && !rgRecords.empty() && rgRecords.front().cKind == 'S' ? rgRecords.front().lValue : 1;
}
