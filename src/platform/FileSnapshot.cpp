#include "platform/FileSnapshot.h"

namespace {

thread_local FileSnapshot* t_current = nullptr;

} // namespace

FileSnapshot::FileSnapshot(QHash<QString, FileRead> files) : m_files(std::move(files)), m_outer(t_current)
{
    t_current = this;
}

FileSnapshot::~FileSnapshot()
{
    t_current = m_outer;
}

const FileRead* FileSnapshot::find(const QString& path)
{
    if (!t_current)
        return nullptr;
    const auto it = t_current->m_files.constFind(path);
    return it == t_current->m_files.constEnd() ? nullptr : &it.value();
}
