#include <gtest/gtest.h>

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Widgets need one QApplication for the whole run, made before any test; the German Qt
// translation makes the standard buttons read as in the program.
class GuiEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (QCoreApplication::instance() == nullptr) {
            m_app = new QApplication(m_argc, m_argv);
        }
        m_translator = new QTranslator;
        if (m_translator->load(QStringLiteral("qtbase_de"),
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(m_translator);
        }
    }
    void TearDown() override {
        QCoreApplication::removeTranslator(m_translator);
        delete m_translator;
        m_translator = nullptr;
        delete m_app;
        m_app = nullptr;
    }

  private:
    int m_argc = 1;
    char m_name[16] = "taufix_ui_tests";
    char* m_argv[2] = {m_name, nullptr};
    QApplication* m_app = nullptr;
    QTranslator* m_translator = nullptr;
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
