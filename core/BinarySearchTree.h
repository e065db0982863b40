#pragma once
// An unbalanced binary search tree ordered by a virtual comparison. Nodes are inserted and
// found, never removed one by one; the tree owns its nodes and deletes them all at the end.
// Equal keys go to the right, and a search stops at the first equal node on its way down, so
// of several equal keys the one inserted first is found.

// The links of a node.
struct TreeNode {
    TreeNode() = default;
    virtual ~TreeNode() = default;
    TreeNode(const TreeNode&) = delete;
    TreeNode& operator=(const TreeNode&) = delete;

    TreeNode* right = nullptr;   // keys not less than this one
    TreeNode* left = nullptr;    // smaller keys
    TreeNode* parent = nullptr;
};

class CBinarySearchTree {
public:
    CBinarySearchTree() = default;
    virtual ~CBinarySearchTree();
    CBinarySearchTree(const CBinarySearchTree&) = delete;
    CBinarySearchTree& operator=(const CBinarySearchTree&) = delete;

    TreeNode* Root() const { return root_; }

    // Takes ownership of the node. False (and the node is deleted) when the comparison gives
    // anything but -1, 0 or 1.
    bool Insert(TreeNode* node);
    TreeNode* Find(const TreeNode& key) const;

protected:
    // -1 when a sorts before b, 0 when equal, 1 when after.
    virtual int Compare(const TreeNode& a, const TreeNode& b) const = 0;

private:
    bool InsertBelow(TreeNode* current, TreeNode* node);
    void DeleteAll();

    TreeNode* root_ = nullptr;
};
