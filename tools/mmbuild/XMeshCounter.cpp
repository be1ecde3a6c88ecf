#include "tools/mmbuild/XMeshCounter.h"
#include <cctype>
#include <cstdlib>

namespace {
// Walks the numbers of a Mesh block: "count; x; y; z;, ...; count; ...".
class NumberReader {
public:
    NumberReader(const std::string& text, size_t position) : text(text), at(position) {}

    bool Next(double* value)
    {
        while (at < text.size() && !IsNumberStart(text[at])) {
            if (std::isalpha(static_cast<unsigned char>(text[at])) || text[at] == '}')
                return false; // the block's numbers have ended
            ++at;
        }
        if (at >= text.size())
            return false;
        char* end = nullptr;
        *value = std::strtod(text.c_str() + at, &end);
        at = size_t(end - text.c_str());
        return true;
    }

private:
    static bool IsNumberStart(char c) { return std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '.'; }

    const std::string& text;
    size_t at;
};

bool IsWordAt(const std::string& text, size_t at, size_t length)
{
    auto isName = [&](size_t i) { return std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_'; };
    return (at == 0 || !isName(at - 1)) && (at + length >= text.size() || !isName(at + length));
}

// Only an optional name and white space between the keyword and its brace.
bool IsNameOnly(const std::string& text, size_t from, size_t to)
{
    for (size_t i = from; i < to; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!std::isalnum(c) && !std::isspace(c) && c != '_' && c != '-')
            return false;
    }
    return true;
}

bool CountBlock(const std::string& text, size_t brace, long* vertices, long* faces)
{
    NumberReader reader(text, brace + 1);
    double nVertices = 0, value = 0, nFaces = 0;
    if (!reader.Next(&nVertices) || nVertices < 0)
        return false;
    for (long i = 0; i < long(nVertices) * 3; ++i)
        if (!reader.Next(&value))
            return false;
    if (!reader.Next(&nFaces) || nFaces < 0)
        return false;
    *vertices += long(nVertices);
    *faces += long(nFaces);
    return true;
}
} // namespace

bool XMeshCounter::Count(const std::string& data, int* meshes, long* vertices, long* faces)
{
    *meshes = 0;
    *vertices = *faces = 0;
    if (data.size() < 16 || data.compare(0, 4, "xof ") != 0 || data.compare(8, 4, "txt ") != 0)
        return false;
    for (size_t at = data.find("Mesh"); at != std::string::npos; at = data.find("Mesh", at + 4)) {
        if (!IsWordAt(data, at, 4))
            continue;
        const size_t brace = data.find('{', at);
        const bool isTemplate = at >= 9 && data.compare(at - 9, 8, "template") == 0;
        if (brace == std::string::npos || isTemplate || !IsNameOnly(data, at + 4, brace))
            continue;
        if (!CountBlock(data, brace, vertices, faces))
            return false;
        ++*meshes;
    }
    return true;
}
