qm_add_fuzzer(record LIBS qm_memorial)
