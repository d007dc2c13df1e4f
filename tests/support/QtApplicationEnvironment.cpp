#include <QApplication>
#include <gtest/gtest.h>

namespace {

// Every Qt test program runs inside one QApplication: widgets need it, and Qt SQL loads its drivers
// through the application object.
class QtApplicationEnvironment : public testing::Environment
{
public:
    void SetUp() override
    {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        static int argc = 1;
        static char name[] = "kavro_tests";
        static char* argv[] = {name, nullptr};
        m_app = new QApplication(argc, argv);
    }
    void TearDown() override
    {
        delete m_app;
        m_app = nullptr;
    }

private:
    QApplication* m_app = nullptr;
};

const testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace
