#include "logview/tkvqtlogtable.h"

#include "appservices/kvqticonlib.h"
#include "appservices/kvqtclipboard.h"

#include "kvsuite/kvconfig.h"
#include "kvsuite/kvmessage.h"
#include "kvsuite/kvstream.h"
#include "kvsuite/kvtime.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QScrollBar>
#include <QTimer>

namespace {

// The time format is process-wide so that every log window of a program
// shows the same kind of time stamps.
TKvQtLogTable::TMsgTimeFormat GMsgTimeFormat = TKvQtLogTable::mtfLocale;
TKvQtLogTable::TMsgTimeFormat GMsgTimeFormatFiled = TKvQtLogTable::mtfLocale;
bool GMsgTimeFormatLoaded = false;

const char* const kTimeFormatSetting = "LogViewMsgTimeFormat";
const char* const kClassIconNames[3] = {"msg_error", "msg_warn", "msg_info"};

// Makes the text fit for the clipboard: CR LF line ends, and other control
// bytes written as a backslash and a printable character so that no control
// byte reaches another program.
std::string ClipboardText(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 16);
  for (const char ch : bytes) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c == '\n') {
      out += "\r\n";
    } else if (c == '\t' || c > 31) {
      out += ch;
    } else {
      out += '\\';
      out += static_cast<char>(c + 48);
    }
  }
  return out;
}

} // namespace

TKvQtLogTable::TLogMessage::TLogMessage(TKvLogMsgType type_, TKvLogMsgLevel level_, int code_,
                                        std::string timeText_, std::string source_, std::string text_,
                                        uint64_t prefixLength_)
  : type(type_), level(level_), code(code_), timeText(std::move(timeText_)), source(std::move(source_)),
    text(std::move(text_)), prefixLength(prefixLength_), messageClass(CalcMessageLevel(type_, level_)) {}

TKvQtLogTable::TKvQtLogTable(QWidget* parent) : QTableWidget(parent) {
  if (!GMsgTimeFormatLoaded) {
    GMsgTimeFormatLoaded = true;
    try {
      const int format = KvModuleDebugMode(kTimeFormatSetting);
      GMsgTimeFormat = format;
      GMsgTimeFormatFiled = format;
    } catch (...) {
      KvLogWriteError(KvGetExceptionReason(), lmlInternal, 0);
    }
  }

  setColumnCount(2);
  setShowGrid(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setMinimumSize(200, 100);

  QHeaderView* hh = horizontalHeader();
  hh->hide();
  hh->setStretchLastSection(true);
  hh->setMinimumSectionSize(16);
  setColumnWidth(0, 24);
  // Wrapped texts change height with the width of the text column.
  connect(hh, &QHeaderView::sectionResized, this, [this](int logicalIndex, int, int) {
    if (logicalIndex == 1)
      ScheduleRowsResize();
  });

  QHeaderView* vh = verticalHeader();
  vh->hide();
  vh->setFont(QFont(QStringLiteral("Arial"), 4, 4));
  vh->setStretchLastSection(false);
  // Rows are sized to their contents by this class, one row at a time (see
  // the class comment): the header's own ResizeToContents mode would measure
  // every row again after each added message.
  vh->setSectionResizeMode(QHeaderView::Interactive);

  setStyleSheet(QStringLiteral("QTableWidget::item { padding: 0px }"));
  setFrameStyle(0);
  setSelectionMode(QAbstractItemView::NoSelection);
}

TKvQtLogTable::~TKvQtLogTable() = default;

TKvQtLogTable::TMessageLevel TKvQtLogTable::CalcMessageLevel(TKvLogMsgType type, TKvLogMsgLevel level) {
  if (type == lmtError)
    return mlError;
  if (type == lmtWarning)
    return mlWarning;
  return level < lmlVisible ? mlInfo : mlOther;
}

bool TKvQtLogTable::IsMessageVisible(const TLogMessage& msg, TMessageLevel tableLevel) {
  return msg.messageClass <= tableLevel;
}

std::string TKvQtLogTable::MakeTimePrefix(const std::string& timeText) {
  const TKvDateTime time = TKvDateTime::FromRFCString(timeText);
  std::string prefix = GMsgTimeFormat == mtfRFC ? time.ToRFCString(3, TKvDateTime::tzLocal) : time.ToLocaleString(1);
  prefix += ": ";
  return prefix;
}

const QIcon& TKvQtLogTable::ClassIcon(TMessageLevel messageClass) {
  static const QIcon none;
  if (messageClass < mlError || messageClass > mlInfo)
    return none;
  const size_t i = static_cast<size_t>(messageClass);
  if (!FIconsLoaded[i]) {
    FIcons[i] = KvGetIconFromIconLib(kClassIconNames[i], 16, 16);
    FIconsLoaded[i] = true;
  }
  return FIcons[i];
}

void TKvQtLogTable::AddMessage(TKvLogMsgType type, TKvLogMsgLevel level, int code, const std::string& timeText,
                               const std::string& source, const std::string& text) {
  const std::string prefix = MakeTimePrefix(timeText);
  FMessages.emplace_back(type, level, code, timeText, source, prefix + text, prefix.size());
  TLogMessage& msg = FMessages.back();
  msg.visible = IsMessageVisible(msg, FMessageLevel);

  auto* textItem = new QTableWidgetItem(QString::fromUtf8(msg.text.data(), static_cast<int>(msg.text.size())));

  const int row = rowCount();
  if (row > 0 && msg.visible) {
    // A message that ended its text with a line feed would show an empty
    // line under it once it is no longer the last one.
    if (QTableWidgetItem* prev = item(row - 1, 1)) {
      const QString shown = prev->text();
      if (!shown.isEmpty() && shown.endsWith(QLatin1Char('\n')))
        prev->setText(shown.trimmed());
    }
  }

  // The row above will not change any more: it gets its final height now.
  if (FLastRowDirty && row > 0)
    MeasureRow(row - 1);
  insertRow(row);
  auto* iconItem = new QTableWidgetItem(ClassIcon(msg.messageClass), QString());
  setItem(row, 1, textItem);
  setItem(row, 0, iconItem);
  MarkLastRowDirty();

  if (!msg.visible)
    setRowHidden(row, true);
  else if (FScrollToEnd)
    FScrollPending = true;

  RemoveOldMsg();

  if (OnMessagesChanged)
    OnMessagesChanged();
}

void TKvQtLogTable::AppendMessage(const std::string& text) {
  if (FMessages.empty()) {
    AddMessage(lmtInfo, lmlVisible, 0, std::string(), std::string(), text);
    return;
  }
  TLogMessage& last = FMessages.back();
  last.text += text;
  const int row = rowCount() - 1;
  if (QTableWidgetItem* textItem = item(row, 1))
    textItem->setText(QString::fromUtf8(last.text.data(), static_cast<int>(last.text.size())));
  // Only the last row changed, and every other row was sized to its contents
  // already: measuring them all again would make a long log quadratic.
  MarkLastRowDirty();
  viewport()->update();
}

void TKvQtLogTable::Clear() {
  if (FMessages.empty())
    return;
  FMessages.clear();
  setRowCount(0);
  FLastRowDirty = false;
  FScrollPending = false;
  viewport()->update();
  if (OnMessagesChanged)
    OnMessagesChanged();
}

void TKvQtLogTable::SetScrollToEnd(bool scroll) { FScrollToEnd = scroll; }

void TKvQtLogTable::MeasureRow(int row) {
  // The vertical header is hidden: its own size hint (the row number) does
  // not count, only the row's items do.
  verticalHeader()->resizeSection(row, sizeHintForRow(row));
}

void TKvQtLogTable::MarkLastRowDirty() {
  FLastRowDirty = true;
  if (FLayoutPosted)
    return;
  FLayoutPosted = true;
  QMetaObject::invokeMethod(this, &TKvQtLogTable::FlushLayout, Qt::QueuedConnection);
}

void TKvQtLogTable::FlushLayout() {
  FLayoutPosted = false;
  const int rows = rowCount();
  if (FLastRowDirty && rows > 0)
    MeasureRow(rows - 1);
  FLastRowDirty = false;
  if (FScrollPending && FScrollToEnd) {
    // The newest visible row is the one asked for or a newer one.
    int row = rows - 1;
    for (auto it = FMessages.rbegin(); it != FMessages.rend() && !it->visible; ++it)
      --row;
    if (row >= 0) {
      executeDelayedItemsLayout(); // the scroll range must include the new rows
      scrollToItem(item(row, 0), QAbstractItemView::EnsureVisible);
    }
  }
  FScrollPending = false;
}

void TKvQtLogTable::ScheduleRowsResize() {
  if (FRowsResizePending)
    return;
  FRowsResizePending = true;
  QTimer::singleShot(0, this, [this]() {
    FRowsResizePending = false;
    // Hidden rows too: they keep their height for when they are shown again.
    const int rows = rowCount();
    for (int row = 0; row < rows; ++row)
      MeasureRow(row);
  });
}

void TKvQtLogTable::changeEvent(QEvent* event) {
  QTableWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
    ScheduleRowsResize();
}

void TKvQtLogTable::SetMaxMessages(unsigned long maximum, unsigned long protectedNewest) {
  FMaxMessages = maximum;
  FProtectedNewest = protectedNewest;
  RemoveOldMsg();
  viewport()->update();
}

void TKvQtLogTable::RemoveRow0() {
  removeRow(0);
  FMessages.pop_front();
}

void TKvQtLogTable::RemoveOldMsg() {
  const uint64_t count = FMessages.size();
  if (FMaxMessages == 0 || count <= FMaxMessages)
    return;
  uint64_t excess = count - FMaxMessages;

  // Detail information is the least valuable: drop it first, but never from
  // the newest messages, which the user is most likely reading.
  if (FProtectedNewest < FMaxMessages) {
    const uint64_t examine = count - FProtectedNewest;
    int row = 0;
    auto it = FMessages.begin();
    for (uint64_t i = 0; i < examine && excess > 0 && it != FMessages.end(); ++i) {
      if (it->type == lmtInfo && it->level >= lmlVisible) {
        removeRow(row);
        it = FMessages.erase(it);
        --excess;
      } else {
        ++it;
        ++row;
      }
    }
  }

  while (excess > 0 && !FMessages.empty()) {
    RemoveRow0();
    --excess;
  }
}

void TKvQtLogTable::SetMessageLevel(TMessageLevel level) {
  if (level == FMessageLevel)
    return;
  FMessageLevel = level;
  int row = 0;
  for (TLogMessage& msg : FMessages) {
    msg.visible = IsMessageVisible(msg, level);
    setRowHidden(row++, !msg.visible);
  }
  if (FScrollToEnd)
    scrollToBottom();
  viewport()->update();
}

TKvQtLogTable::TMsgTimeFormat TKvQtLogTable::GetMsgTimeFormatGlobal() { return GMsgTimeFormat; }

void TKvQtLogTable::SetMsgTimeFormatGlobal(TMsgTimeFormat format, bool save) {
  GMsgTimeFormat = format;
  if (!save || format == GMsgTimeFormatFiled)
    return;
  try {
    KvSetModuleDebugMode(kTimeFormatSetting, format);
    GMsgTimeFormatFiled = format;
  } catch (...) {
    KvLogWriteError(KvGetExceptionReason(), lmlVisible, 0);
  }
}

TKvQtLogTable::TMessageCounts TKvQtLogTable::CountMessages() const {
  TMessageCounts counts{};
  for (const TLogMessage& msg : FMessages)
    ++counts[static_cast<size_t>(msg.messageClass)];
  return counts;
}

void TKvQtLogTable::ClipboardCopy(bool asRecords) const {
  TKvStringStream stream;
  for (const TLogMessage& msg : FMessages) {
    if (!msg.visible)
      continue;
    if (asRecords) {
      const std::string body = msg.text.size() < msg.prefixLength ? msg.text : msg.text.substr(msg.prefixLength);
      KvLogWriteRecord(stream, msg.source, body, msg.type, msg.level, msg.code, msg.timeText);
    } else {
      stream.WriteStr(msg.text);
      stream.WriteStr("\n");
    }
  }
  KvSetQClipboardText(ClipboardText(stream.str()));
}

TKvQtLogTable::TMessageList::const_iterator TKvQtLogTable::getItertorSimple(long index) const {
  auto it = FMessages.begin();
  if (index > 0 && index < rowCount())
    std::advance(it, index);
  return it;
}

QString TKvQtLogTable::OnGetItemText(long index) const {
  if (FMessages.empty())
    return QStringLiteral("@Error Line");
  const std::string& text = getItertorSimple(index)->text;
  return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

int TKvQtLogTable::OnGetItemImage(long index) const {
  if (FMessages.empty())
    return mlOther;
  return getItertorSimple(index)->messageClass;
}

void TKvQtLogTable::keyPressEvent(QKeyEvent* event) {
  if (event == QKeySequence::Copy) {
    ClipboardCopy(false);
    event->accept();
    return;
  }
  QAbstractItemView::keyPressEvent(event);
}
