// What the pppd module reads from files: options words, shell and chat words, the dialled number.
#include "PppdFiles.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    SplitOptionWords(text);
    SplitShellWords(text);
    const std::vector<std::string> chat = SplitChatWords(text);
    DialledNumber(chat, std::string(text.substr(0, 20)));
    IsLeftoverFileName(text);
    IsPlainFileName(text);
    DeviceWord(text);
    return 0;
}
