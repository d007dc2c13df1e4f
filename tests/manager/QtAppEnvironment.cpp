// Qt SQL loads its drivers through the application object; every manager test runs inside one.
#include <QCoreApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

class QtAppEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "manager_tests";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QCoreApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QCoreApplication> m_app;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtAppEnvironment);

} // namespace
