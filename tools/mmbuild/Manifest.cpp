#include "tools/mmbuild/Manifest.h"
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {
std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

int ParseCount(const std::string& text)
{
    size_t used = 0;
    int value = -1;
    try {
        value = std::stoi(text, &used);
    } catch (const std::logic_error&) {
        used = 0;
    }
    if (used != text.size() || value < 0 || value >= Manifest::kMaxEntries)
        throw std::runtime_error("bad number '" + text + "'");
    return value;
}

std::string Resolve(const std::string& folder, const std::string& file)
{
    const std::filesystem::path path(file);
    return path.is_absolute() ? file : (std::filesystem::path(folder) / path).string();
}
} // namespace

Manifest Manifest::Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(path + ": cannot read the manifest");
    std::ostringstream text;
    text << in.rdbuf();
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return Parse(text.str(), folder.empty() ? "." : folder, path);
}

Manifest Manifest::Parse(const std::string& text, const std::string& folder, const std::string& name)
{
    Manifest manifest;
    std::istringstream in(text);
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        const std::vector<std::string> words = Words(line.substr(0, line.find('#')));
        if (words.empty())
            continue;
        try {
            manifest.ParseLine(words, folder);
        } catch (const std::runtime_error& e) {
            throw std::runtime_error(name + ":" + std::to_string(lineNumber) + ": " + e.what());
        }
    }
    manifest.Finish();
    return manifest;
}

void Manifest::ParseLine(const std::vector<std::string>& words, const std::string& folder)
{
    const std::string& word = words[0];
    if (word == "entry" || word == "entries") {
        if (words.size() != 2)
            throw std::runtime_error("'" + word + "' takes one number");
        const int value = ParseCount(words[1]);
        if (word == "entries") {
            if (value == 0)
                throw std::runtime_error("the map needs at least one entry");
            nDeclaredCount = value;
            return;
        }
        const bool seen = std::any_of(rgEntries.begin(), rgEntries.end(),
                                      [&](const Entry& e) { return e.index == value; });
        if (seen)
            throw std::runtime_error("entry " + words[1] + " listed twice");
        rgEntries.push_back(Entry{value, {}});
        return;
    }
    if (word != "rgba" && word != "mesh" && word != "wave" && word != "anim" && word != "maze")
        throw std::runtime_error("unknown kind '" + word + "'");
    if (rgEntries.empty())
        throw std::runtime_error("chunk before the first entry");
    if (word != "anim" && words.size() != 2)
        throw std::runtime_error("'" + word + "' takes one file");
    Chunk chunk{word, {}};
    for (size_t i = 1; i < words.size(); ++i)
        chunk.files.push_back(Resolve(folder, words[i]));
    rgEntries.back().chunks.push_back(chunk);
}

void Manifest::Finish()
{
    int highest = -1;
    for (const Entry& entry : rgEntries)
        highest = std::max(highest, entry.index);
    if (nDeclaredCount != 0 && nDeclaredCount <= highest)
        throw std::runtime_error("'entries " + std::to_string(nDeclaredCount) + "' leaves out entry " +
                                 std::to_string(highest));
    nEntryCount = nDeclaredCount != 0 ? nDeclaredCount : std::max(kMinEntries, highest + 1);
}
