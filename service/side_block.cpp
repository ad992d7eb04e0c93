#include "side_block.h"

CSideBlock::CSideBlock(const char* name, size_t bytes)
    : m_mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(bytes), name))
{
    // Mapping exactly `bytes` fails on a smaller existing block instead of
    // reaching past it.
    if (m_mapping)
        m_view.Reset(MapViewOfFile(m_mapping, FILE_MAP_WRITE, 0, 0, bytes));
}
