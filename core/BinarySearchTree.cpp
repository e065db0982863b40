#include "BinarySearchTree.h"

// The tree follows the order of insertion and can be as deep as it has nodes (a sorted label
// file makes a list), so every walk is a loop rather than a recursion.

CBinarySearchTree::~CBinarySearchTree()
{
    DeleteAll();
}

bool CBinarySearchTree::Insert(TreeNode* node)
{
    if (!node)
        return false;
    node->left = node->right = node->parent = nullptr;
    if (!root_) {
        root_ = node;
        return true;
    }
    if (InsertBelow(root_, node))
        return true;
    delete node;
    return false;
}

bool CBinarySearchTree::InsertBelow(TreeNode* current, TreeNode* node)
{
    for (;;) {
        int rc = Compare(*node, *current);
        TreeNode** link;
        if (rc == -1)
            link = &current->left;
        else if (rc == 0 || rc == 1)
            link = &current->right;
        else
            return false;
        if (!*link) {
            *link = node;
            node->parent = current;
            return true;
        }
        current = *link;
    }
}

TreeNode* CBinarySearchTree::Find(const TreeNode& key) const
{
    TreeNode* node = root_;
    while (node) {
        int rc = Compare(*node, key);
        if (rc == 0)
            return node;
        node = rc == -1 ? node->right : node->left;
    }
    return nullptr;
}

void CBinarySearchTree::DeleteAll()
{
    // Post-order without recursion: descend to a leaf, delete it, unlink it from its parent.
    TreeNode* node = root_;
    while (node) {
        if (node->left) {
            node = node->left;
        } else if (node->right) {
            node = node->right;
        } else {
            TreeNode* parent = node->parent;
            if (parent) {
                if (parent->left == node)
                    parent->left = nullptr;
                else
                    parent->right = nullptr;
            }
            delete node;
            node = parent;
        }
    }
    root_ = nullptr;
}
