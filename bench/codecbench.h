#pragma once

class BenchTable;

// How many configurations a page encodes and decodes per second.
class CodecBench
{
public:
    void run(BenchTable &table);
};
