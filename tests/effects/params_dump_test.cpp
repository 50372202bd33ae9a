#include "effects/params_dump.h"

#include <gtest/gtest.h>

#include <limits>

#include "effects/presets.h"

namespace velkaro {
namespace {

TEST(ParamsDump, PatternZeroLineByLine) {
  EngineParams params;
  ParseParams(ParamString(0), params);
  EXPECT_EQ(FormatParamsDump(params, 0, 160, 238),
            "Pattern_No=0\n"
            "PartMax=5000\n"
            "BlurCount=5\n"
            "Gravity=-0.25\n"
            "WindOn=1\n"
            "WindAmp=2\n"
            "PalMode=0\n"
            "ScrollOn=1\n"
            "ScrollRows=3\n"
            "BurstCount=200\n"
            "EmitOn=1\n"
            "AngleMin=0\n"
            "AngleRange=360\n"
            "ColBase=255\n"
            "ColRange=0\n"
            "EmitCount=45\n"
            "EmitJitter=0\n"
            "SpeedMin=0\n"
            "SpeedRange=4\n"
            "EmitMode=1\n"
            "FadeBase=0.2\n"
            "FadeJitter=0\n"
            "ClearFrame=0\n"
            "EmitX=160\n"
            "EmitY=238\n");
}

TEST(ParamsDump, RealsAreShortestFixedDecimals) {
  EngineParams params;
  ParseParams(ParamString(13), params);  // -g -0.01, -d 0.1, -s 1 1, -r 1
  const std::string dump = FormatParamsDump(params, 13, -4, 0);
  EXPECT_NE(dump.find("\nGravity=-0.01\n"), std::string::npos);
  EXPECT_NE(dump.find("\nFadeBase=0.1\n"), std::string::npos);
  EXPECT_NE(dump.find("\nSpeedMin=1\nSpeedRange=0\n"), std::string::npos);
  EXPECT_NE(dump.find("\nClearFrame=1\nEmitX=-4\nEmitY=0\n"), std::string::npos);
}

// Extreme floats never switch to exponent notation and fit the buffer.
TEST(ParamsDump, ExtremeRealsStayFixed) {
  EngineParams params;
  params.Gravity = std::numeric_limits<float>::max();
  params.WindAmp = -std::numeric_limits<float>::denorm_min();
  params.ColBase = 7;
  const std::string dump = FormatParamsDump(params, 99, 0, 0);
  EXPECT_NE(dump.find("\nGravity=340282346638528859811704183484516925440\n"), std::string::npos);
  EXPECT_NE(dump.find("\nWindAmp=-0.000000000000000000000000000000000000000000001\n"),
            std::string::npos);
  EXPECT_NE(dump.find("\nColBase=7\n"), std::string::npos);  // a number, not a character
  EXPECT_EQ(dump.rfind("Pattern_No=99\n", 0), 0u);
}

}  // namespace
}  // namespace velkaro
