// A "menu.txt" that is a FIFO: refused at once with its reason, never a wait for a writer.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "host/menu_file_reader.h"
#include "suite/sandbox.h"

namespace {

TEST(MenuFileReader, FifoIsRefusedWithoutWaiting) {
    suite::TempDir temp;
    const std::string path = temp.Join("menu.txt");
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    host::MenuTree tree;
    std::string error;
    EXPECT_FALSE(host::ReadMenuFile(path, tree, error));
    EXPECT_NE(error.find("a pipe"), std::string::npos) << error;
}

}  // namespace
