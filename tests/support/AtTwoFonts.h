#pragma once

#include <QApplication>
#include <QFont>

#include <gtest/gtest.h>

namespace bw::test {

// Runs a test body at the application's default font and at one half as
// large again (the parameter is the factor), putting the font back after.
template <typename Base = ::testing::Test>
class AtTwoFontsOf : public Base, public ::testing::WithParamInterface<double> {
protected:
    void SetUp() override
    {
        Base::SetUp();
        m_saved = QApplication::font();
        QFont font = m_saved;
        font.setPointSizeF(m_saved.pointSizeF() * this->GetParam());
        QApplication::setFont(font);
    }
    void TearDown() override
    {
        QApplication::setFont(m_saved);
        Base::TearDown();
    }

private:
    QFont m_saved;
};

} // namespace bw::test
