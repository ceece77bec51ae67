#pragma once

class BenchTable;

// How many configurations each model's codec, and its page through the codec, encodes and
// decodes per second.
class CodecBench
{
public:
    void run(BenchTable &table);
};
