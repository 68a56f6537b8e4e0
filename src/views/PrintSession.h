// CPrintSession: the state of one print job that the view print hooks read and advance.
#pragma once

#include <cstdint>
#include <vector>

class CPrintSession
{
  public:
    static constexpr int StyleDetails = 32;
    static constexpr int StyleMemo = 64;
    static constexpr std::uint8_t FlagOneEntryPerPage = 0x02;
    static constexpr int HeadOffset = -1; // resume an entry from its head

    int styleId = StyleDetails;
    // Where the next page starts: the entry index and the character offset into its notes.
    // The offset is kept whole so that notes of any length resume where they stopped.
    int resumeIndex = 0;
    int resumeOffset = HeadOffset;
    int timeColumnWidth = 0; // page units
    std::uint8_t flags = 0;
    int pageNumber = 0;
    std::vector<std::uint32_t> pageTable; // packed resume positions, one per page
    bool selectedOnly = false;

    // The resume position as one value: the entry index in the low 16 bits, the notes offset
    // in the high 16 bits (0xFFFF for the head).
    std::uint32_t PackedResume() const
    {
        const std::uint32_t offset = resumeOffset < 0 ? 0xFFFFu : std::uint32_t(resumeOffset) & 0xFFFFu;
        return (offset << 16) | (std::uint32_t(resumeIndex) & 0xFFFFu);
    }
};
