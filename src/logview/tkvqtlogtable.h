#pragma once
// TKvQtLogTable: the list of log messages of the log window.
//
// Every received message is kept, in arrival order, as one TLogMessage and
// shown as one row (an icon and a text). Rows below the chosen display level
// are hidden, never discarded, so that lowering and raising the level is
// cheap and loses nothing. Past the message limit the oldest detail
// information goes first, then the oldest messages of any kind.
//
// Each text starts with its time in one of two process-wide formats, chosen
// by the module setting "LogViewMsgTimeFormat" (read once, by the first table
// of the process). A record whose time stamp is empty or not a valid time
// gets an empty time text, so its prefix is just ": ".
//
// Records may also arrive in batches (AddMessages, used by the log stream for
// records written on other threads): a batch ends exactly as if its records
// had been added one by one, purge order included, but rows are built only
// for the records that survive the purge, and the messages-changed callback
// runs once per batch.
//
// Every row is sized to its contents, once its text is complete: the newest
// row, which still grows while its record's text arrives, is measured and
// scrolled into view when control returns to the event loop (before it is
// painted) or when the next row is added, whichever comes first;
// FlushLayout() does it at once. Of a batch, only the newest rows are sized
// at once; the others a few milliseconds per turn of the event loop. All rows
// are measured again when the text column's width, the font or the style
// changes (texts wrap at the column's width). A text of one line that
// clearly fits the column (by the advances of its characters, with a margin)
// takes the height measured once for its class instead of a full text
// layout. The header is not left to do this by itself: it would measure
// every row after each message, which makes a busy log many times slower
// than the operation it reports on. Repaints are held to the screen's pace.
//
// GUI thread only: the log stream that feeds the table takes care of records
// written on other threads.

#include "kvqtcpnt_export.h"

#include "kvsuite/kvlog.h"

#include <QElapsedTimer>
#include <QIcon>
#include <QTableWidget>

#include <boost/function.hpp>

#include <array>
#include <atomic>
#include <cstdint>
#include <list>
#include <string>
#include <vector>

class QTimer;

class KVQTCPNT_EXPORT TKvQtLogTable : public QTableWidget {
  Q_OBJECT

public:
  // Display classes; a smaller value is more severe.
  enum TMessageLevel : int { mlError = 0, mlWarning = 1, mlInfo = 2, mlOther = 3 };
  // 1 is the suite's RFC text with milliseconds (local time); any other
  // value the locale text with milliseconds.
  typedef int TMsgTimeFormat;
  enum : int { mtfLocale = 0, mtfRFC = 1 };

  struct TLogMessage {
    TLogMessage(TKvLogMsgType type, TKvLogMsgLevel level, int code, std::string timeText, std::string source,
                std::string text, uint64_t prefixLength);

    TKvLogMsgType type;
    TKvLogMsgLevel level;
    int code;
    std::string timeText; // as received (RFC form)
    std::string source;
    std::string text; // time prefix + message text
    uint64_t prefixLength;
    bool visible = false;
    TMessageLevel messageClass;
    bool sized = false; // the row was sized to this text
  };
  typedef std::list<TLogMessage> TMessageList;
  // Message counts in class order: errors, warnings, information, other.
  typedef std::array<uint64_t, 4> TMessageCounts;
  // A record for AddMessages.
  struct TNewMessage {
    TKvLogMsgType type;
    TKvLogMsgLevel level;
    int code;
    std::string timeText;
    std::string source;
    std::string text;
    // The class of the record that came right after this one, when records
    // between them were left out (see AddMessages); -1 when not known.
    int nextClass = -1;
  };

  explicit TKvQtLogTable(QWidget* parent = nullptr);
  ~TKvQtLogTable() override;

  void AddMessage(TKvLogMsgType type, TKvLogMsgLevel level, int code, const std::string& timeText,
                  const std::string& source, const std::string& text);
  // Adds the records in order, as AddMessage would one by one (see the class
  // comment). The texts are moved out of `batch`. A caller that left out
  // records the purge would have removed anyway (the log stream condenses
  // its queue so) says which record really followed each one: nextClass of
  // each record and `followingClass` for the last message in the table, so
  // that rows lose their trailing line feed exactly as they would have.
  void AddMessages(std::vector<TNewMessage>& batch, int followingClass = -1);
  // Continues the last message; starts an information row when there is none.
  void AppendMessage(const std::string& text);
  void Clear();

  void SetScrollToEnd(bool scroll);
  bool GetScrollToEnd() const { return FScrollToEnd; }
  // 0 as maximum disables trimming; the newest `protectedNewest` messages are
  // never examined by the selective purge.
  void SetMaxMessages(unsigned long maximum, unsigned long protectedNewest);
  // Both may be read on any thread (the log stream condenses its queue by them).
  uint64_t GetMaxMessages() const { return FMaxMessages.load(std::memory_order_relaxed); }
  uint64_t GetProtectedNewest() const { return FProtectedNewest.load(std::memory_order_relaxed); }

  TMessageLevel GetMessageLevel() const { return FMessageLevel; }
  void SetMessageLevel(TMessageLevel level);

  static TMsgTimeFormat GetMsgTimeFormatGlobal();
  // Switches the format of later messages; with `save` also stores it in the
  // module settings (a failure is logged, the new format stays in force).
  static void SetMsgTimeFormatGlobal(TMsgTimeFormat format, bool save);

  TMessageCounts CountMessages() const;
  const TMessageList& Messages() const { return FMessages; }

  static TMessageLevel CalcMessageLevel(TKvLogMsgType type, TKvLogMsgLevel level);
  static bool IsMessageVisible(const TLogMessage& msg, TMessageLevel tableLevel);

  // Copies the visible messages: as plain lines with their time prefixes, or
  // as log records that the suite's log parser reads back.
  void ClipboardCopy(bool asRecords) const;

  // Linear look-ups by row index; an index out of range gives the first message.
  TMessageList::const_iterator getItertorSimple(long index) const;
  QString OnGetItemText(long index) const;
  int OnGetItemImage(long index) const;

  void RemoveOldMsg();

  // The purge, worked out on flags alone. `flags` holds one entry per
  // message: the first `existing` are in the table already, the others are
  // added one by one after them; bit 0 marks detail information (what the
  // selective pass removes), bit 1 a message visible at the current level.
  // `fate` gets bit 0 for each message still there at the end, and bit 1
  // for each whose row had a visible message added right below it.
  enum : uint8_t { pfDetail = 1, pfVisible = 2, pfSurvives = 1, pfBelowVisible = 2 };
  static void SimulatePurge(const std::vector<uint8_t>& flags, size_t existing, uint64_t maximum,
                            uint64_t protectedNewest, std::vector<uint8_t>& fate);
  static bool IsPurgedFirst(TKvLogMsgType type, TKvLogMsgLevel level) {
    return type == lmtInfo && level >= lmlVisible;
  }

  // Sizes the newest row and brings it into view now instead of when control
  // returns to the event loop (see the class comment).
  void FlushLayout();

  // Called after a message is added and after a clear that removed messages.
  boost::function<void()> OnMessagesChanged;

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  static std::string MakeTimePrefix(const std::string& timeText);
  const QIcon& ClassIcon(TMessageLevel messageClass);
  void RemoveRow0();
  // Measures every row again once control returns to the event loop.
  void ScheduleRowsResize();
  void MeasureRow(int row, TLogMessage& msg);
  // Sizes the rows a batch left unsized, a few milliseconds per turn of the event loop.
  void ScheduleDeferredSizing();
  void SizeDeferredRows();
  // The newest rows of a batch that are sized at once.
  static const int kRowsSizedAtOnce = 64;
  // The height of a row whose text is one line that fits the column, or -1.
  int SingleLineHeight(int row, TMessageLevel messageClass, const QString& shown);
  void TrimShownText(int row, TLogMessage& msg);
  void MarkLastRowDirty();
  // Posts FlushLayout for when control returns to the event loop.
  void FlushLayoutSoon();
  void CoalesceRepaint();

  bool FScrollToEnd = true;
  std::atomic<uint64_t> FMaxMessages{1000};
  std::atomic<uint64_t> FProtectedNewest{100};
  TMessageList FMessages;
  TMessageLevel FMessageLevel = mlOther;

  // Loaded on first use: the icon library decodes and masks on every call.
  std::array<QIcon, 3> FIcons;
  std::array<bool, 3> FIconsLoaded{};
  bool FRowsResizePending = false;
  bool FLastRowDirty = false;  // the newest row may have grown since it was measured
  bool FScrollPending = false; // a new visible row waits to be scrolled into view
  bool FLayoutPosted = false;
  QTimer* FSizingTimer = nullptr; // child; sizes the rows a batch left unsized
  QElapsedTimer FSizingAsked;
  QTimer* FRepaintTimer = nullptr; // child; runs while a frame's repaint is held back
  std::array<int, 4> FLineHeights{}; // height of a one-line row per class, 0 until measured
  std::vector<float> FAdvances;      // character advances in the table's font, -1 until asked
};
