// Placeholder until this area has its first class.
