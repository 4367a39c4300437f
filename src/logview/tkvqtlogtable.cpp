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
#include <QFontMetricsF>
#include <QStyle>
#include <QElapsedTimer>
#include <QTimer>

#include <cctype>

#include <deque>

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
  // Records come in runs from the same second: the calendar work is done
  // once per second, the milliseconds are copied over. Both the records and
  // the two formats keep them at characters 20 to 22 ("...:SS.mmm").
  struct TCache {
    std::string time, prefix;
    TMsgTimeFormat format = -1;
  };
  static TCache cache;
  auto millis = [](const std::string& s) {
    return s.size() > 23 && s[19] == '.' && isdigit(static_cast<unsigned char>(s[20])) &&
           isdigit(static_cast<unsigned char>(s[21])) && isdigit(static_cast<unsigned char>(s[22])) &&
           !isdigit(static_cast<unsigned char>(s[23]));
  };
  if (cache.format == GMsgTimeFormat && timeText.size() == cache.time.size() && millis(timeText) &&
      timeText.compare(0, 20, cache.time, 0, 20) == 0 && timeText.compare(23, std::string::npos, cache.time, 23) == 0) {
    std::string prefix = cache.prefix;
    prefix.replace(20, 3, timeText, 20, 3);
    return prefix;
  }
  const TKvDateTime time = TKvDateTime::FromRFCString(timeText);
  std::string prefix = GMsgTimeFormat == mtfRFC ? time.ToRFCString(3, TKvDateTime::tzLocal) : time.ToLocaleString(1);
  prefix += ": ";
  if (millis(timeText) && millis(prefix)) {
    cache.time = timeText;
    cache.prefix = prefix;
    cache.format = GMsgTimeFormat;
  }
  return prefix;
}

const QIcon& TKvQtLogTable::ClassIcon(TMessageLevel messageClass) {
  static const QIcon none;
  if (messageClass < mlError || messageClass > mlInfo)
    return none;
  const size_t i = static_cast<size_t>(messageClass);
  if (!FIconsLoaded[i]) {
    // Every size of the library, so that a scaled screen gets a sharp one.
    FIcons[i] = KvGetIconSetFromIconLib(kClassIconNames[i]);
    FIconsLoaded[i] = true;
  }
  return FIcons[i];
}

void TKvQtLogTable::SimulatePurge(const std::vector<uint8_t>& flags, size_t existing, uint64_t maximum,
                                  uint64_t protectedNewest, std::vector<uint8_t>& fate) {
  // The purge removes either the oldest detail message outside the newest
  // `protectedNewest`, or the oldest message. The newest `protectedNewest`
  // positions are therefore always present, so "outside the protected ones"
  // is a plain position test, and each step costs O(1) amortised.
  const size_t total = flags.size();
  const size_t none = static_cast<size_t>(-1);
  fate.assign(total, pfSurvives);
  std::deque<size_t> details; // present detail messages, oldest first
  size_t oldest = 0;          // no present message before it
  size_t last = none;         // the newest present message
  uint64_t count = 0;
  for (size_t i = 0; i < total; ++i) {
    if (i >= existing && (flags[i] & pfVisible) && last != none)
      fate[last] |= pfBelowVisible;
    if (flags[i] & pfDetail)
      details.push_back(i);
    ++count;
    last = i;
    if (i < existing || maximum == 0)
      continue;
    while (count > maximum) {
      size_t victim;
      if (protectedNewest < maximum && !details.empty() && details.front() + protectedNewest <= i) {
        victim = details.front();
        details.pop_front();
      } else {
        while (!(fate[oldest] & pfSurvives))
          ++oldest;
        victim = oldest;
        if (!details.empty() && details.front() == victim)
          details.pop_front();
      }
      fate[victim] &= static_cast<uint8_t>(~pfSurvives);
      --count;
    }
    while (last != none && !(fate[last] & pfSurvives))
      last = last == 0 ? none : last - 1;
  }
}

void TKvQtLogTable::AddMessage(TKvLogMsgType type, TKvLogMsgLevel level, int code, const std::string& timeText,
                               const std::string& source, const std::string& text) {
  const std::string prefix = MakeTimePrefix(timeText);
  FMessages.emplace_back(type, level, code, timeText, source, prefix + text, prefix.size());
  TLogMessage& msg = FMessages.back();
  msg.visible = IsMessageVisible(msg, FMessageLevel);

  const int row = rowCount();
  if (row > 0) {
    if (msg.visible)
      TrimShownText(row - 1, *std::prev(FMessages.end(), 2));
    // The row above will not change any more: it gets its final height now.
    else if (FLastRowDirty)
      MeasureRow(row - 1, *std::prev(FMessages.end(), 2));
  }
  insertRow(row);
  setItem(row, 1, new QTableWidgetItem(QString::fromUtf8(msg.text.data(), static_cast<int>(msg.text.size()))));
  setItem(row, 0, new QTableWidgetItem(ClassIcon(msg.messageClass), QString()));
  MarkLastRowDirty();
  FlushLayoutSoon();

  if (!msg.visible)
    setRowHidden(row, true);
  else if (FScrollToEnd)
    FScrollPending = true;

  RemoveOldMsg();

  if (OnMessagesChanged)
    OnMessagesChanged();
}

void TKvQtLogTable::TrimShownText(int row, TLogMessage& msg) {
  // A message that ended its text with a line feed would show an empty line
  // under it once it is no longer the last one; the row is measured again
  // without that line.
  QTableWidgetItem* textItem = item(row, 1);
  const QString shown = textItem ? textItem->text() : QString();
  if (!shown.isEmpty() && shown.endsWith(QLatin1Char('\n')))
    textItem->setText(shown.trimmed());
  else if (!(FLastRowDirty && row + 1 == rowCount()))
    return;
  MeasureRow(row, msg);
}

void TKvQtLogTable::AddMessages(std::vector<TNewMessage>& batch, int followingClass) {
  // One record that really follows the last message: the plain way is cheaper.
  if (batch.size() == 1 &&
      (followingClass < 0 || followingClass == CalcMessageLevel(batch.front().type, batch.front().level))) {
    TNewMessage& n = batch.front();
    AddMessage(n.type, n.level, n.code, n.timeText, n.source, n.text);
    return;
  }
  if (batch.empty())
    return;
  const size_t existing = FMessages.size();
  std::vector<uint8_t> flags;
  flags.reserve(existing + batch.size());
  for (const TLogMessage& m : FMessages)
    flags.push_back(static_cast<uint8_t>((IsPurgedFirst(m.type, m.level) ? pfDetail : 0) | (m.visible ? pfVisible : 0)));
  for (const TNewMessage& n : batch)
    flags.push_back(static_cast<uint8_t>((IsPurgedFirst(n.type, n.level) ? pfDetail : 0) |
                                         (CalcMessageLevel(n.type, n.level) <= FMessageLevel ? pfVisible : 0)));
  std::vector<uint8_t> fate;
  SimulatePurge(flags, existing, GetMaxMessages(), GetProtectedNewest(), fate);
  // Where records were left out in between, the record that really followed
  // decides whether a row lost its trailing line feed.
  auto follow = [this, &fate](size_t i, int nextClass) {
    if (nextClass < 0)
      return;
    if (nextClass <= FMessageLevel)
      fate[i] |= pfBelowVisible;
    else
      fate[i] &= static_cast<uint8_t>(~pfBelowVisible);
  };
  if (existing > 0)
    follow(existing - 1, followingClass);
  for (size_t k = 0; k < batch.size(); ++k)
    follow(existing + k, batch[k].nextClass);

  // Messages of the table that the batch pushes out, in runs of rows.
  int row = 0;
  size_t i = 0;
  for (auto it = FMessages.begin(); i < existing;) {
    if (fate[i] & pfSurvives) {
      if (fate[i] & pfBelowVisible)
        TrimShownText(row, *it);
      else if (FLastRowDirty && i + 1 == existing)
        MeasureRow(row, *it); // it will not grow any more
      ++it;
      ++row;
      ++i;
      continue;
    }
    const auto first = it;
    const size_t runStart = i;
    while (i < existing && !(fate[i] & pfSurvives)) {
      ++it;
      ++i;
    }
    model()->removeRows(row, static_cast<int>(i - runStart));
    it = FMessages.erase(first, it);
  }

  // Rows only for the records that stay.
  size_t survivors = 0;
  for (size_t k = existing; k < fate.size(); ++k)
    survivors += fate[k] & pfSurvives;
  if (survivors > 0) {
    const int firstNew = rowCount();
    setRowCount(firstNew + static_cast<int>(survivors));
    row = firstNew;
    for (size_t k = 0; k < batch.size(); ++k) {
      const uint8_t f = fate[existing + k];
      if (!(f & pfSurvives))
        continue;
      TNewMessage& n = batch[k];
      std::string text = MakeTimePrefix(n.timeText);
      const size_t prefixLength = text.size();
      text += n.text;
      FMessages.emplace_back(n.type, n.level, n.code, std::move(n.timeText), std::move(n.source), std::move(text),
                             prefixLength);
      TLogMessage& msg = FMessages.back();
      msg.visible = IsMessageVisible(msg, FMessageLevel);
      QString shown = QString::fromUtf8(msg.text.data(), static_cast<int>(msg.text.size()));
      if ((f & pfBelowVisible) && shown.endsWith(QLatin1Char('\n')))
        shown = shown.trimmed();
      setItem(row, 1, new QTableWidgetItem(shown));
      setItem(row, 0, new QTableWidgetItem(ClassIcon(msg.messageClass), QString()));
      if (!msg.visible)
        setRowHidden(row, true);
      else if (FScrollToEnd)
        FScrollPending = true;
      // The newest row may still grow: it is measured once its text is
      // complete. Rows far from the end wait for an idle moment: in a storm
      // most of them are purged before anyone could scroll to them.
      const int rowsAfter = firstNew + static_cast<int>(survivors) - 1 - row;
      if (rowsAfter > 0 && rowsAfter <= kRowsSizedAtOnce)
        MeasureRow(row, msg);
      else if (rowsAfter > 0)
        ScheduleDeferredSizing();
      ++row;
    }
    MarkLastRowDirty();
  }
  FlushLayoutSoon();

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
  FlushLayoutSoon();
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

int TKvQtLogTable::SingleLineHeight(int row, TMessageLevel messageClass, const QString& shown) {
  if (shown.contains(QLatin1Char('\n')))
    return -1;
  if (FAdvances.empty())
    FAdvances.assign(0x10000, -1.0f);
  const QFontMetricsF metrics(font());
  float width = 0;
  for (const QChar c : shown) {
    if (c.isSurrogate())
      return -1;
    float& advance = FAdvances[c.unicode()];
    if (advance < 0)
      advance = static_cast<float>(metrics.horizontalAdvance(c));
    width += advance;
  }
  // The delegate keeps a margin on each side. Kerning only ever narrows a
  // text a little; a few pixels more keep the guess on the safe side.
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  if (width + static_cast<float>(2 * margin + 4) > static_cast<float>(columnWidth(1)))
    return -1;
  int& height = FLineHeights[static_cast<size_t>(messageClass)];
  if (height <= 0)
    height = sizeHintForRow(row);
  return height;
}

void TKvQtLogTable::MeasureRow(int row, TLogMessage& msg) {
  const QTableWidgetItem* textItem = item(row, 1);
  int height = textItem ? SingleLineHeight(row, msg.messageClass, textItem->text()) : -1;
  // The vertical header is hidden: its own size hint (the row number) does
  // not count, only the row's items do.
  if (height < 0)
    height = sizeHintForRow(row);
  if (rowHeight(row) != height)
    verticalHeader()->resizeSection(row, height);
  msg.sized = true;
}

void TKvQtLogTable::ScheduleDeferredSizing() {
  // Waits for a pause in the flow of batches (at most half a second): in a
  // storm most of these rows are purged before anyone could scroll to them.
  if (!FSizingTimer) {
    FSizingTimer = new QTimer(this);
    FSizingTimer->setSingleShot(true);
    connect(FSizingTimer, &QTimer::timeout, this, &TKvQtLogTable::SizeDeferredRows);
  }
  if (!FSizingTimer->isActive())
    FSizingAsked.start();
  if (!FSizingTimer->isActive() || FSizingAsked.elapsed() < 500)
    FSizingTimer->start(50);
}

void TKvQtLogTable::SizeDeferredRows() {
  // Newest first (nearest to what is shown), a few milliseconds at a time.
  QElapsedTimer clock;
  clock.start();
  const int last = rowCount() - 1;
  int row = last;
  for (auto it = FMessages.rbegin(); it != FMessages.rend(); ++it, --row) {
    if (it->sized || (row == last && FLastRowDirty))
      continue;
    if (clock.elapsed() >= 4) {
      FSizingTimer->start(0);
      return;
    }
    MeasureRow(row, *it);
  }
}

void TKvQtLogTable::MarkLastRowDirty() { FLastRowDirty = true; }

void TKvQtLogTable::CoalesceRepaint() {
  // A busy log would repaint after every turn of the event loop; the screen
  // shows at most one frame in 16 ms. The first change paints at once, later
  // ones within the frame are held back and painted together at its end.
  if (!FRepaintTimer) {
    FRepaintTimer = new QTimer(this);
    FRepaintTimer->setSingleShot(true);
    FRepaintTimer->setInterval(16);
    connect(FRepaintTimer, &QTimer::timeout, this, [this]() {
      if (viewport()->updatesEnabled())
        return;
      viewport()->setUpdatesEnabled(true); // repaints everything held back
      FRepaintTimer->start();
    });
  }
  if (!FRepaintTimer->isActive())
    FRepaintTimer->start();
  else if (viewport()->updatesEnabled())
    viewport()->setUpdatesEnabled(false);
}

void TKvQtLogTable::FlushLayoutSoon() {
  CoalesceRepaint();
  if (FLayoutPosted)
    return;
  FLayoutPosted = true;
  QMetaObject::invokeMethod(this, &TKvQtLogTable::FlushLayout, Qt::QueuedConnection);
}

void TKvQtLogTable::FlushLayout() {
  FLayoutPosted = false;
  const int rows = rowCount();
  if (FLastRowDirty && rows > 0)
    MeasureRow(rows - 1, FMessages.back());
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
    int row = 0;
    for (TLogMessage& msg : FMessages)
      MeasureRow(row++, msg);
  });
}

void TKvQtLogTable::changeEvent(QEvent* event) {
  QTableWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    FLineHeights.fill(0);
    FAdvances.clear();
    ScheduleRowsResize();
  }
}

void TKvQtLogTable::SetMaxMessages(unsigned long maximum, unsigned long protectedNewest) {
  FMaxMessages.store(maximum, std::memory_order_relaxed);
  FProtectedNewest.store(protectedNewest, std::memory_order_relaxed);
  RemoveOldMsg();
  viewport()->update();
}

void TKvQtLogTable::RemoveRow0() {
  removeRow(0);
  FMessages.pop_front();
}

void TKvQtLogTable::RemoveOldMsg() {
  const uint64_t maximum = GetMaxMessages();
  const uint64_t protectedNewest = GetProtectedNewest();
  const uint64_t count = FMessages.size();
  if (maximum == 0 || count <= maximum)
    return;
  uint64_t excess = count - maximum;

  // Detail information is the least valuable: drop it first, but never from
  // the newest messages, which the user is most likely reading.
  if (protectedNewest < maximum) {
    const uint64_t examine = count - protectedNewest;
    int row = 0;
    auto it = FMessages.begin();
    for (uint64_t i = 0; i < examine && excess > 0 && it != FMessages.end(); ++i) {
      if (IsPurgedFirst(it->type, it->level)) {
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
