// Starts the graphics library without a display for tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

// Idempotent: install_allegro(SYSTEM_NONE), 32-bit colour depth, the PNG file type, once per process.
void start_headless_library();

// A test that works in a new folder of its own as its working directory,
// removed with everything in it afterwards.
class InTemporaryFolder : public ::testing::Test
{
  protected:
    void SetUp() override;
    void TearDown() override;

    std::string dir;

  private:
    std::string previous;
};
