; fixture
