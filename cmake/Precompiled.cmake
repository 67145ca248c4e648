# The headers nearly every source of a target includes, parsed once a target
# instead of once a source. The release build turns them off, so that a
# source that lacks an include of its own still fails to compile somewhere.
option(BRINDLEWICK_PCH "Precompile the common Qt and standard headers" ON)

set(BRINDLEWICK_PCH_CORE
  <algorithm> <cstdint> <functional> <memory> <optional> <string> <string_view> <vector>
  <QByteArray> <QDir> <QFile> <QFileInfo> <QString> <QStringList>)
set(BRINDLEWICK_PCH_GUI ${BRINDLEWICK_PCH_CORE} <QObject> <QPainter> <QPrinter>)
set(BRINDLEWICK_PCH_WIDGETS ${BRINDLEWICK_PCH_GUI}
  <QApplication> <QDialog> <QHeaderView> <QLabel> <QLineEdit> <QPushButton> <QTreeView> <QWidget>)

# brindlewick_precompile(TARGET CORE|GUI|WIDGETS [HEADER...]): TARGET's
# sources get that set of headers, and any others named, precompiled.
function(brindlewick_precompile target set)
  if(BRINDLEWICK_PCH)
    target_precompile_headers(${target} PRIVATE ${BRINDLEWICK_PCH_${set}} ${ARGN})
  endif()
endfunction()
