#include "target/FaceLibrary.h"

#include <algorithm>

const FaceLibrary::Face* FaceLibrary::find(const Look& look)
{
    const auto found = std::find_if(m_faces.begin(), m_faces.end(), [&](const auto& f) { return f.first == look; });
    if (found == m_faces.end())
        return nullptr;
    m_faces.splice(m_faces.begin(), m_faces, found);
    return &m_faces.front().second;
}

void FaceLibrary::keep(const Look& look, const Face& face)
{
    m_faces.remove_if([&](const auto& f) { return f.first == look; });
    m_faces.emplace_front(look, face);
    if (m_faces.size() > kCapacity)
        m_faces.pop_back();
}
