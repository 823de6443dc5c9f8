// Path building at the buffer limits: the first byte picks the buffer size,
// the rest splits into pattern and two texts. The result fits or is "".
#include "path_format.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    size_t bufferSize = data[0] * 2 + 1; // 1 .. 511
    std::string rest(reinterpret_cast<const char *>(data + 1), size - 1);
    std::string parts[3];
    size_t at = 0;
    for (int i = 0; i < 3; ++i) {
        size_t end = rest.find('\n', at);
        parts[i] = rest.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? rest.size() : end + 1;
    }
    std::vector<char> out(bufferSize); // exactly this big, so ASan sees any overflow
    bool fits = FormatPath(out.data(), out.size(), parts[0].c_str(), parts[1].c_str(),
                           parts[2].c_str());
    size_t length = strnlen(out.data(), out.size());
    if (length >= out.size() || (!fits && length != 0))
        abort();
    return 0;
}
