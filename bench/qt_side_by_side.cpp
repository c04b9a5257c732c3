// Our four Qt widgets beside the stock Qt widgets a user would otherwise pick, fed the
// same QKeyEvents in one run: typing a text, then erasing it with Backspace.
//
// One keystroke is a key press and a key release sent to the focused widget, as a
// keyboard would send them. Every cycle's text is checked after typing and after
// erasing; a dropped or extra key aborts the run, so a fast figure is always a true one.
// The widgets take turns within each round, so that noise from other work on the
// machine falls on all of them alike; the figure is the thread's CPU time per key, the
// median over every cycle of every round.
//
//   QT_QPA_PLATFORM=offscreen entrybox-qt-side-by-side [--rounds N] [--cycles N]
//   valgrind --tool=callgrind entrybox-qt-side-by-side --callgrind [--only NAME]
//
// With --callgrind each widget's cycles are dumped under its name ("<name>.type",
// "<name>.erase"); scripts/keystroke-gate.sh count turns the dumps into instructions per
// key.
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_ZERO_STATS
#define CALLGRIND_DUMP_STATS_AT(name) static_cast<void>(name)
#endif

#include <QApplication>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "entrybox/qt/QtControls.h"
#include "entrybox/qt/QtField.h"

namespace {

// The thread's own CPU time: other work on a shared machine preempts the run, and wall
// time would count those pauses as the widget's.
int64_t ThreadNs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// One widget under test: how to put it back to its starting state, what to type, and
// what its text must be after typing and after erasing.
struct Subject {
  const char* name;
  QWidget* focus;  // the widget that takes the focus
  QString keys;
  QString typed;
  QString erased;
  std::function<void()> reset;
  std::function<QString()> text;
};

// CPU nanoseconds per key, one figure per cycle.
struct Figures {
  std::vector<double> typeNs, eraseNs;
};

// The key and text a US keyboard sends for a digit, "." or Backspace.
struct Stroke {
  int key;
  QString text;
};

Stroke StrokeFor(QChar c) {
  if (c == QChar(8)) return {Qt::Key_Backspace, QStringLiteral("\b")};
  if (c == QChar(u'.')) return {Qt::Key_Period, QString(c)};
  return {c.unicode(), QString(c)};
}

void Send(QWidget* target, const Stroke& stroke) {
  // Fresh events each time, as a keyboard sends them: delivery marks an event accepted.
  QKeyEvent press(QEvent::KeyPress, stroke.key, Qt::NoModifier, stroke.text);
  QCoreApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, stroke.key, Qt::NoModifier, stroke.text);
  QCoreApplication::sendEvent(target, &release);
}

[[noreturn]] void Abort(const Subject& s, const char* phase, const QString& got,
                        const QString& want) {
  std::fprintf(stderr, "%s: after %s the text is \"%s\", not \"%s\": a key went astray\n", s.name,
               phase, qPrintable(got), qPrintable(want));
  std::exit(1);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Focuses the subject's widget and returns the widget that key events go to.
QWidget* Focus(Subject& s) {
  s.focus->setFocus(Qt::OtherFocusReason);
  QCoreApplication::processEvents();
  QWidget* target = QApplication::focusWidget();
  if (target == nullptr) {
    std::fprintf(stderr, "%s: no widget has the focus\n", s.name);
    std::exit(1);
  }
  return target;
}

// Runs `cycles` cycles of one subject; adds each cycle's nanoseconds per key, typing and
// erasing, to `figures`.
void Run(Subject& s, int cycles, bool counting, Figures& figures) {
  QWidget* target = Focus(s);
  std::vector<Stroke> typing;
  for (QChar c : s.keys)
    typing.push_back(StrokeFor(c));
  const Stroke backspace = StrokeFor(QChar(8));
  const std::string typeName = std::string(s.name) + ".type";
  const std::string eraseName = std::string(s.name) + ".erase";
  const auto keys = static_cast<double>(s.keys.size());
  for (int cycle = 0; cycle < cycles; ++cycle) {
    s.reset();
    if (counting) CALLGRIND_ZERO_STATS;
    const int64_t start = ThreadNs();
    for (const Stroke& stroke : typing)
      Send(target, stroke);
    const int64_t typedAt = ThreadNs();
    if (counting) CALLGRIND_DUMP_STATS_AT(typeName.c_str());
    const QString typed = s.text();
    if (typed != s.typed) Abort(s, "typing", typed, s.typed);
    if (counting) CALLGRIND_ZERO_STATS;
    const int64_t eraseStart = ThreadNs();
    for (qsizetype i = 0; i < s.keys.size(); ++i)
      Send(target, backspace);
    const int64_t erasedAt = ThreadNs();
    if (counting) CALLGRIND_DUMP_STATS_AT(eraseName.c_str());
    const QString erased = s.text();
    if (erased != s.erased) Abort(s, "erasing", erased, s.erased);
    figures.typeNs.push_back(static_cast<double>(typedAt - start) / keys);
    figures.eraseNs.push_back(static_cast<double>(erasedAt - eraseStart) / keys);
  }
  // Paint and whatever else the keys queued, outside the measured time.
  QCoreApplication::processEvents();
}

int IntArgument(int argc, char** argv, const char* name, int fallback) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], name) == 0) return std::max(1, std::atoi(argv[i + 1]));
  return fallback;
}

const char* TextArgument(int argc, char** argv, const char* name) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], name) == 0) return argv[i + 1];
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const bool counting = std::any_of(
      argv + 1, argv + argc, [](const char* a) { return std::strcmp(a, "--callgrind") == 0; });
  const char* only = TextArgument(argc, argv, "--only");
  // Under callgrind one cycle after a warm-up is enough: the counts do not vary.
  const int rounds = counting ? 1 : IntArgument(argc, argv, "--rounds", 11);
  const int cycles = counting ? 1 : IntArgument(argc, argv, "--cycles", 20);

  QWidget window;
  auto* layout = new QVBoxLayout(&window);

  auto* plain = new QLineEdit(&window);
  auto* masked = new QLineEdit(&window);
  masked->setInputMask(QStringLiteral("(999) 999-9999"));
  auto* validated = new QLineEdit(&window);
  validated->setValidator(new QIntValidator(validated));
  auto* spin = new QDoubleSpinBox(&window);
  spin->setRange(0, 1e9);
  spin->setDecimals(2);
  spin->setGroupSeparatorShown(true);
  auto* dateEdit = new QDateEdit(&window);
  dateEdit->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
  auto* qtLong = new entrybox::QtLong(&window);
  auto* qtReal = new entrybox::QtReal(&window);
  auto* qtDate = new entrybox::QtDate(&window);
  auto* qtMask = new entrybox::QtMask(&window);
  qtMask->SetMask(QStringLiteral("(###) ###-####"));
  qtDate->SetDateFormat(QStringLiteral("mm/dd/yyyy"));
  for (QWidget* w : std::initializer_list<QWidget*>{plain, masked, validated, spin, dateEdit,
                                                    qtLong, qtReal, qtDate, qtMask})
    layout->addWidget(w);

  const auto lineText = [](QLineEdit* e) { return [e] { return e->text(); }; };
  const auto clearLine = [](QLineEdit* e) {
    return [e] {
      e->clear();
      e->setCursorPosition(0);
    };
  };
  // What the QLineEdit shows: the text a user sees after each key.
  const auto controlText = [](entrybox::QtInputControl* c) {
    return [c] { return c->Field().LineEdit().text(); };
  };
  const auto clearControl = [](entrybox::QtInputControl* c) {
    return [c] { c->SetText(QString()); };
  };

  std::vector<Subject> subjects;
  subjects.push_back(
      {"QLineEdit", plain, "1234567890", "1234567890", "", clearLine(plain), lineText(plain)});
  subjects.push_back({"QLineEdit+mask", masked, "5551234567", "(555) 123-4567", "() -",
                      clearLine(masked), lineText(masked)});
  subjects.push_back({"QLineEdit+QIntValidator", validated, "123456789", "123456789", "",
                      clearLine(validated), lineText(validated)});
  subjects.push_back({"QDoubleSpinBox", spin, "1234567.89", "1234567.89", "",
                      [spin] { spin->clear(); }, [spin] { return spin->text(); }});
  subjects.push_back({"QDateEdit", dateEdit, "12251999", "12/25/1999", "12/25/",
                      [dateEdit] {
                        dateEdit->setDate(QDate(2000, 1, 1));
                        dateEdit->setSelectedSection(QDateTimeEdit::MonthSection);
                      },
                      [dateEdit] { return dateEdit->text(); }});
  subjects.push_back({"QtLong", qtLong, "123456789", "123,456,789", "", clearControl(qtLong),
                      controlText(qtLong)});
  subjects.push_back({"QtReal", qtReal, "1234567.89", "1,234,567.89", "0.00", clearControl(qtReal),
                      controlText(qtReal)});
  subjects.push_back({"QtDate", qtDate, "12251999", "12/25/1999", "//",
                      [qtDate] { qtDate->Field().SetText(u"//"); }, controlText(qtDate)});
  subjects.push_back({"QtMask", qtMask, "5551234567", "(555) 123-4567", "(___) ___-____",
                      clearControl(qtMask), controlText(qtMask)});

  window.show();
  window.activateWindow();
  for (int i = 0; i < 100 && !window.isActiveWindow(); ++i)
    QCoreApplication::processEvents();

  std::vector<Subject*> chosen;
  for (Subject& s : subjects)
    if (only == nullptr || std::strcmp(only, s.name) == 0) chosen.push_back(&s);
  std::vector<Figures> figures(chosen.size());
  if (chosen.empty()) {
    std::fprintf(stderr, "no widget named %s\n", only);
    return 2;
  }

  // A warm-up cycle each: fonts, layouts and first allocations stay out of the figures.
  Figures warmUp;
  for (Subject* s : chosen)
    Run(*s, 1, false, warmUp);
  for (int round = 0; round < rounds; ++round) {
    for (size_t i = 0; i < chosen.size(); ++i)
      Run(*chosen[i], cycles, counting, figures[i]);
  }
  if (counting) {
    for (Subject* s : chosen) {
      std::printf("case %s.type keys %lld\n", s->name, static_cast<long long>(s->keys.size()));
      std::printf("case %s.erase keys %lld\n", s->name, static_cast<long long>(s->keys.size()));
    }
    return 0;
  }

  // The plain QLineEdit is the floor every ratio is taken to (first when it runs).
  const bool withFloor = chosen.front() == &subjects.front();
  const double floorType = withFloor ? Median(figures.front().typeNs) : 0;
  const double floorErase = withFloor ? Median(figures.front().eraseNs) : 0;
  std::printf(
      "thread CPU time per key, median of %d rounds x %d cycles; one key = press + "
      "release\n",
      rounds, cycles);
  std::printf("%-24s %12s %7s %12s %7s\n", "widget", "type us/key", "ratio", "erase us/key",
              "ratio");
  for (size_t i = 0; i < chosen.size(); ++i) {
    const double type = Median(figures[i].typeNs);
    const double erase = Median(figures[i].eraseNs);
    std::printf("%-24s %12.2f %7.2f %12.2f %7.2f\n", chosen[i]->name, type / 1000,
                withFloor ? type / floorType : 0, erase / 1000, withFloor ? erase / floorErase : 0);
  }
  return 0;
}
