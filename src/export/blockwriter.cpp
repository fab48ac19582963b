#include "blockwriter.h"

#include "exporterror.h"

#include <QFileDevice>

namespace zorva {

void BlockWriter::flush()
{
    if (m_buf.isEmpty())
        return;
    if (m_out.write(m_buf) != m_buf.size()) {
        const auto *file = qobject_cast<QFileDevice *>(&m_out);
        throw ExportError(
            QStringLiteral("Az írás nem sikerült%1: %2")
                .arg(file ? QStringLiteral(" (%1)").arg(file->fileName()) : QString(), m_out.errorString()));
    }
    m_buf.resize(0);  // keeps the capacity (clear() would free it)
}

}  // namespace zorva
