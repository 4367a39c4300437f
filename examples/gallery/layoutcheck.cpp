#include "layoutcheck.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTableView>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeView>

#include <vector>

namespace {

struct TextArea {
  QWidget* Widget;
  QRect Rect; // where the text is drawn, in window coordinates
  QString What;
};

QString Describe(const QWidget* w, const QString& text) {
  QString name = w->objectName().isEmpty() ? QString() : " '" + w->objectName() + "'";
  QString shown = text.simplified();
  if (shown.size() > 48)
    shown = shown.left(45) + "...";
  if (shown.isEmpty())
    return w->metaObject()->className() + name;
  return QString("%1%2 \"%3\"").arg(w->metaObject()->className(), name, shown);
}

QString SizeText(const QSize& s) { return QString("%1x%2").arg(s.width()).arg(s.height()); }

QString PlainText(const QLabel* l) {
  const bool rich = l->textFormat() == Qt::RichText ||
                    (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()));
  if (!rich)
    return l->text();
  QTextDocument doc;
  doc.setHtml(l->text());
  return doc.toPlainText();
}

// A shown text of a label: false for labels without one (pictures, empty).
bool CheckLabel(QLabel* l, QStringList& problems, QRect& textRect) {
  if (l->text().isEmpty() || PlainText(l).trimmed().isEmpty())
    return false;
  // The label's own hints measure its text with its font: the whole text
  // without wrapping, or the longest word and the wrapped height.
  const QSize need = l->minimumSizeHint();
  const int needHeight = l->wordWrap() ? l->heightForWidth(l->width()) : need.height();
  if (l->width() < need.width() || l->height() < needHeight)
    problems << QString("%1 needs %2, has %3")
                    .arg(Describe(l, PlainText(l)), SizeText(QSize(need.width(), needHeight)), SizeText(l->size()));
  QRect cr = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
  int flags = int(l->alignment()) | Qt::TextShowMnemonic;
  if (l->wordWrap())
    flags |= Qt::TextWordWrap;
  textRect = l->fontMetrics().boundingRect(cr, flags, PlainText(l)) & cr;
  return true;
}

QString ButtonText(const QAbstractButton* b) {
  QString t = b->text();
  t.remove(QRegularExpression("&(?!&)"));
  return t;
}

bool CheckButton(QAbstractButton* b, QStringList& problems) {
  if (b->text().isEmpty())
    return false;
  QSize need;
  if (auto* pb = qobject_cast<QPushButton*>(b)) {
    // What the text and icon need inside the button's margins, without the
    // style's minimum width for text buttons.
    QStyleOptionButton opt;
    opt.initFrom(pb);
    opt.features = QStyleOptionButton::None;
    if (pb->isFlat())
      opt.features |= QStyleOptionButton::Flat;
    if (pb->menu())
      opt.features |= QStyleOptionButton::HasMenu;
    if (pb->autoDefault())
      opt.features |= QStyleOptionButton::AutoDefaultButton;
    const QSize text = pb->fontMetrics().size(Qt::TextShowMnemonic, pb->text());
    int w = text.width(), h = text.height();
    if (!pb->icon().isNull()) {
      w += pb->iconSize().width() + 4;
      h = qMax(h, pb->iconSize().height());
    }
    if (pb->menu())
      w += pb->style()->pixelMetric(QStyle::PM_MenuButtonIndicator, &opt, pb);
    need = pb->style()->sizeFromContents(QStyle::CT_PushButton, &opt, QSize(w, h), pb);
  } else if (auto* tb = qobject_cast<QToolButton*>(b)) {
    if (tb->toolButtonStyle() == Qt::ToolButtonIconOnly ||
        (tb->toolButtonStyle() == Qt::ToolButtonFollowStyle && !tb->icon().isNull()))
      return false;
    need = tb->sizeHint();
  } else {
    // Check boxes and radio buttons: their size hint is the indicator, the
    // spacing and the text, with no minimum of the style's.
    need = b->sizeHint();
  }
  if (b->width() < need.width() || b->height() < need.height())
    problems << QString("%1 needs %2, has %3").arg(Describe(b, ButtonText(b)), SizeText(need), SizeText(b->size()));
  return true;
}

bool CheckGroupBox(QGroupBox* g, QStringList& problems, QRect& titleRect) {
  if (g->title().isEmpty())
    return false;
  QStyleOptionGroupBox opt;
  opt.initFrom(g);
  opt.text = g->title();
  opt.lineWidth = 1;
  opt.midLineWidth = 0;
  opt.textAlignment = Qt::Alignment(g->alignment());
  opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  if (g->isCheckable())
    opt.subControls |= QStyle::SC_GroupBoxCheckBox;
  if (g->isFlat())
    opt.features |= QStyleOptionFrame::Flat;
  titleRect = g->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
  const int textWidth = g->fontMetrics().size(Qt::TextShowMnemonic, g->title()).width();
  if (titleRect.width() < textWidth || !g->rect().contains(titleRect))
    problems << QString("%1 title needs %2 px in %3, has %4 at x %5")
                    .arg(Describe(g, g->title()))
                    .arg(textWidth)
                    .arg(g->width())
                    .arg(titleRect.width())
                    .arg(titleRect.x());
  return true;
}

bool CheckComboBox(QComboBox* c, QStringList& problems) {
  if (c->isEditable() || c->currentText().isEmpty())
    return false;
  // The file dialog's folder box shortens a long path in the middle itself.
  if (c->objectName() == "lookInCombo" && qobject_cast<QFileDialog*>(c->window()))
    return false;
  QStyleOptionComboBox opt;
  opt.initFrom(c);
  opt.editable = false;
  opt.frame = c->hasFrame();
  opt.currentText = c->currentText();
  opt.currentIcon = c->itemIcon(c->currentIndex());
  opt.iconSize = c->iconSize();
  opt.subControls = QStyle::SC_All;
  const QRect field = c->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, c);
  int need = c->fontMetrics().horizontalAdvance(c->currentText());
  if (!opt.currentIcon.isNull())
    need += c->iconSize().width() + 4;
  if (field.width() < need)
    problems << QString("%1 needs %2 px, its field has %3").arg(Describe(c, c->currentText())).arg(need).arg(field.width());
  return true;
}

// Every column of a table or tree starts inside the view: a column that
// needs scrolling before its first pixel shows is lost on the reader.
// Qt's own file dialog is left alone, its layout is the toolkit's.
void CheckViewColumns(QAbstractItemView* v, QStringList& problems) {
  QHeaderView* h = nullptr;
  if (auto* tree = qobject_cast<QTreeView*>(v))
    h = tree->header();
  else if (auto* table = qobject_cast<QTableView*>(v))
    h = table->horizontalHeader();
  if (!h || h->isHidden() || qobject_cast<QFileDialog*>(v->window()))
    return;
  for (int i = 0; i < h->count(); ++i) {
    if (h->isSectionHidden(i) || h->sectionViewportPosition(i) < h->viewport()->width())
      continue;
    const QString title = h->model() ? h->model()->headerData(i, Qt::Horizontal).toString() : QString();
    problems << QString("%1 column \"%2\" starts at %3, the view shows %4 px")
                    .arg(Describe(v, QString()), title)
                    .arg(h->sectionViewportPosition(i))
                    .arg(h->viewport()->width());
  }
}

// The widget's rectangle must lie inside every parent up to the window,
// except inside a scrolling view's viewport.
void CheckInsideParents(QWidget* w, QWidget* window, const QString& what, QStringList& problems) {
  QRect r = w->rect();
  QWidget* child = w;
  for (QWidget* p = w->parentWidget(); p && child != window; child = p, p = p->parentWidget()) {
    r.translate(child->pos());
    if (auto* sa = qobject_cast<QAbstractScrollArea*>(p->parentWidget()))
      if (sa->viewport() == p)
        return;
    if (!p->rect().contains(r)) {
      problems << QString("%1 at %2,%3 %4 sticks out of %5 %6")
                      .arg(what)
                      .arg(r.x())
                      .arg(r.y())
                      .arg(SizeText(r.size()), p->metaObject()->className(), SizeText(p->size()));
      return;
    }
  }
}

bool InsideScrollingView(QWidget* w, QWidget* window) {
  for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
    if (auto* sa = qobject_cast<QAbstractScrollArea*>(p->parentWidget()))
      if (sa->viewport() == p)
        return true;
  return false;
}

// A text inside another text widget is drawn by it on purpose; a group box
// title is the exception, as its children must stay clear of it.
bool MayOverlap(const QWidget* a, const QWidget* b) {
  if (qobject_cast<const QGroupBox*>(a) || qobject_cast<const QGroupBox*>(b))
    return false;
  return a->isAncestorOf(b) || b->isAncestorOf(a);
}

} // namespace

QStringList FindTextProblems(QWidget* window) {
  QStringList problems;
  std::vector<TextArea> areas;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(window) || w->isWindow() || w->size().isEmpty())
      continue;
    QRect textRect;
    bool hasText = false;
    QString what;
    if (auto* v = qobject_cast<QAbstractItemView*>(w))
      CheckViewColumns(v, problems);
    if (auto* l = qobject_cast<QLabel*>(w)) {
      hasText = CheckLabel(l, problems, textRect);
      what = Describe(l, PlainText(l));
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
      hasText = CheckButton(b, problems);
      textRect = b->rect();
      what = Describe(b, ButtonText(b));
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
      hasText = CheckGroupBox(g, problems, textRect);
      what = Describe(g, g->title());
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
      hasText = CheckComboBox(c, problems);
      textRect = c->rect();
      what = Describe(c, c->currentText());
    }
    if (!hasText || InsideScrollingView(w, window))
      continue;
    CheckInsideParents(w, window, what, problems);
    if (!textRect.isEmpty())
      areas.push_back({w, QRect(w->mapTo(window, textRect.topLeft()), textRect.size()), what});
  }
  for (size_t i = 0; i < areas.size(); ++i)
    for (size_t j = i + 1; j < areas.size(); ++j)
      if (!MayOverlap(areas[i].Widget, areas[j].Widget) && areas[i].Rect.intersects(areas[j].Rect))
        problems << QString("%1 and %2 overlap").arg(areas[i].What, areas[j].What);
  return problems;
}
